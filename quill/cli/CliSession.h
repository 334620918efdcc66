#pragma once
// One picture's run of quill-cli: a fresh main window on the in-memory
// platform services, driven the way a user drives it (the open dialog answers
// with the picture, sliders move, buttons are pressed), and what the pressed
// button left behind taken as the bytes to write. A fresh window per picture
// makes every result the one a newly started window gives, whatever pictures
// came before it.
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "quill/cli/CliOptions.h"
#include "quill/platform/headless/HeadlessDesktop.h"
#include "quill/platform/headless/HeadlessFileDialog.h"
#include "quill/platform/headless/HeadlessMessageBox.h"
#include "quill/platform/headless/HeadlessShell.h"
#include "quill/platform/headless/MemoryClipboard.h"
#include "quill/shell/Form1.h"

namespace quill {

class TCliSession {
 public:
  // The window keeps its bookmark store in folder (a path ending in a separator
  // or empty for the current directory).
  explicit TCliSession(const std::string& folder);
  ~TCliSession();
  TCliSession(const TCliSession&) = delete;
  TCliSession& operator=(const TCliSession&) = delete;

  TForm1& Form() { return *form_; }
  TMemoryClipboard& Clipboard() { return clipboard_; }

  // "Load" with the open dialog answering path.
  void Load(const std::string& path);
  // One control move. Throws EInternalError when the window has no control of
  // that name and kind.
  void Apply(const TControlStep& step);
  // Presses the action's button after a timer tick (a user never presses it
  // within 100 ms of the last move).
  void Press(TCliAction action);
  // The file quill-cli writes for the action just pressed: the clipboard's
  // CF_DIB behind a file header (Export), the transient file's image the same
  // way (Preview), the clipboard's bitmap at 24 bits (" Rgb->Clip"). Throws
  // quill::Exception when the button left nothing to take.
  std::vector<std::uint8_t> Result(TCliAction action);

  // The texts of the message boxes shown since the last call.
  std::vector<std::string> TakeMessages();

 private:
  TMemoryClipboard clipboard_;
  THeadlessDesktop desktop_;
  THeadlessFileDialog fileDialog_;
  THeadlessMessageBox messages_;
  THeadlessShell shell_;
  TServices services_{clipboard_, desktop_, fileDialog_, messages_, shell_};
  std::unique_ptr<TForm1> form_;
};

// What every line quill-cli writes to standard error begins with.
inline constexpr const char* kCliPrefix = "quill-cli: ";

// One picture's whole run in a fresh session: load, the moves, the button, the
// result written to outPath. Every message goes to err as a line
// "quill-cli: ..." (picture as the user gave it); returns whether the result
// was written. absolutePicture and outPath are absolute, as the current
// directory is the scratch folder, which also holds the window's bookmark store.
bool ConvertPicture(const TCliOptions& options, const std::string& picture, const std::string& absolutePicture,
                    const std::string& outPath, const std::string& scratchFolder, std::ostream& err);

// The name of the transient file the window's preview and export write.
inline const char* const kTransientFileName = "avedtemp.bmp";

}  // namespace quill
