// The source picture: "Load" from a file, "Clip->Main" from the clipboard and
// "Reset", which takes the same picture again.
#include <filesystem>
#include <system_error>

#include "quill/platform/ClipboardPictures.h"
#include "quill/shell/ChatPalette.h"
#include "quill/shell/Form1.h"

namespace quill {
namespace {

inline const char* const kInvalidClipboardFormat = "Could not load from clipboard, invalid format.";
inline const char* const kConfirmCaption = "Confirm";

int SectionRange(int viewportSide) { return std::max(0, viewportSide - kNavigateViewSize); }

// Puts the process's current directory back when a load fails: the system's
// open dialog moves it to the chosen picture's folder, and a picture that
// does not load must leave everything as it was, including where the
// temporary export file goes.
class TCurrentDirectoryKeeper {
 public:
  TCurrentDirectoryKeeper() : saved_(std::filesystem::current_path(error_)) {}
  void Restore() const {
    std::error_code ignored;
    if (!error_ && std::filesystem::current_path(ignored) != saved_) std::filesystem::current_path(saved_, ignored);
  }

 private:
  std::error_code error_;
  std::filesystem::path saved_;
};

}  // namespace

void TForm1::SpeedButton20Click() {
  OpenSourceFile([this] { return OpenDialog1.Execute(services_.FileDialog); });
}

void TForm1::FormDropFiles(const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  if (!ImporterPageShown()) SpeedButton2Click();
  OpenSourceFile([this, &paths] {
    // As the system's dialog leaves things: the full name remembered (Reset
    // reloads it) and the picture's folder current.
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(paths.front(), error);
    OpenDialog1.FileName = error ? paths.front() : path.string();
    if (!error && path.has_parent_path()) std::filesystem::current_path(path.parent_path(), error);
    return true;
  });
}

void TForm1::OpenSourceFile(const std::function<bool()>& choose) {
  const std::string remembered = OpenDialog1.FileName;
  const TCurrentDirectoryKeeper directory;
  if (!choose()) return;
  try {
    // The decoders leave the bitmap alone when the file does not load.
    Image1.Bitmap().LoadPicture(OpenDialog1.FileName);
  } catch (...) {
    // Nothing changes, so "Reset" still takes the picture that is shown.
    OpenDialog1.FileName = remembered;
    directory.Restore();
    throw;
  }
  TakeNewSource();
}

void TForm1::PasteClipboardToMainClick() {
  // From now on "Reset" takes the clipboard's picture again.
  OpenDialog1.FileName.clear();
  const IClipboard& clipboard = services_.Clipboard;
  if (!ClipboardHasPicture(clipboard)) {
    services_.Messages.Show(kInvalidClipboardFormat, kConfirmCaption, msConfirmation);
    return;
  }
  CopyBitmap32FromClipboard(Image1.Bitmap(), clipboard);
  TakeNewSource();
}

// A new source picture: the brightness, the section scroll bars and the
// scale go back to their defaults (each change handler runs if its slider
// moves), the viewport to its top-left corner, the section to its origin.
void TForm1::TakeNewSource() {
  FImageLoaded = true;
  BrightnessAdjust.SetPosition(FDefaultBrightness);
  MyXScrollBar.SetPosition(0);
  MyYScrollBar.SetPosition(0);
  sbScale.SetPosition(FDefaultScale);
  // The viewport scroll bars stay where they are.
  FScrollX = 0;
  FScrollY = 0;
  sbScaleChange();
  FSectionX = 0;
  FSectionY = 0;
  FSectionRangeX = SectionRange(Dst.Bitmap().Width());
  FSectionRangeY = SectionRange(Dst.Bitmap().Height());
  CopyImageOver(0, 0);
}

// The section is refreshed from the viewport before the rescale, and the
// viewport offsets stay as they were.
void TForm1::ResetButtonClick() {
  if (!OpenDialog1.FileName.empty()) Image1.Bitmap().LoadPicture(OpenDialog1.FileName);
  else CopyBitmap32FromClipboard(Image1.Bitmap(), services_.Clipboard);
  FImageLoaded = true;
  FSectionX = 0;
  FSectionY = 0;
  FSectionRangeX = SectionRange(Dst.Bitmap().Width());
  FSectionRangeY = SectionRange(Dst.Bitmap().Height());
  CopyImageOver(0, 0);
  BrightnessAdjust.SetPosition(FDefaultBrightness);
  MyXScrollBar.SetPosition(0);
  MyYScrollBar.SetPosition(0);
  sbScale.SetPosition(FDefaultScale);
  sbScaleChange();
}

}  // namespace quill
