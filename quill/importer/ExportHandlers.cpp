// "Preview", "Export", " Rgb->Clip" and the prop grid switch. The three image
// actions take the section without the prop grid: they refresh it with the
// grid off, do their work and refresh it again with the grid as it was.
#include <cstring>

#include "quill/imaging/DIB.h"
#include "quill/imaging/ReduceToPalette.h"
#include "quill/importer/AvatarExport.h"
#include "quill/shell/ChatPalette.h"
#include "quill/shell/Form1.h"

namespace quill {
namespace {

// The grid is off from construction to End. An action that fails on the way
// still gets its grid back (the next tick draws it), so a failed export does
// not leave the section without its grid.
class TGridOffFrame {
 public:
  explicit TGridOffFrame(TForm1& form) : form_(form), saved_(form.FShowPropGrid) {
    form_.FShowPropGrid = false;
    form_.CopyImageOver(form_.FSectionX, form_.FSectionY);
  }
  ~TGridOffFrame() {
    if (!ended_) form_.FShowPropGrid = saved_;
  }
  void End() {
    ended_ = true;
    form_.FShowPropGrid = saved_;
    form_.CopyImageOver(form_.FSectionX, form_.FSectionY);
  }
  TGridOffFrame(const TGridOffFrame&) = delete;
  TGridOffFrame& operator=(const TGridOffFrame&) = delete;

 private:
  TForm1& form_;
  bool saved_;
  bool ended_ = false;
};

}  // namespace

std::unique_ptr<TBitmap> TForm1::SectionBitmap(int width, int height) const {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf32bit);
  bitmap->SetSize(width, height);
  const TBitmap32& view = NavigateImage32.Bitmap();
  const int rows = std::min(height, view.Height() - 1);
  const int columns = std::min(width, view.Width() - 1);
  for (int y = 0; y < rows && columns > 0; ++y)
    std::memcpy(bitmap->ScanLine(y), view.ScanLine(y + 1) + 1, std::size_t(columns) * sizeof(TColor32));
  return bitmap;
}

void TForm1::TestDitherButtonClick() {
  TGridOffFrame frame(*this);
  std::unique_ptr<TBitmap> section = SectionBitmap(kAvatarSize, kAvatarSize);
  std::unique_ptr<TBitmap> reduced =
      ReduceToPalette(*section, FChatPalette, PaletteDitherFromItemIndex(DitherModeSelector.ItemIndex()));
  // The file stays: the editor's transfer loads it.
  SaveTempFile(*reduced);
  Image2.SetPicture(*reduced);
  frame.End();
}

void TForm1::ExportAVButtonClick() {
  TGridOffFrame frame(*this);
  std::unique_ptr<TBitmap> section =
      SectionBitmap(SectionSize(SectionSizeGaugeBar.Position()), SectionSize(SectionHeightGaugeBar.Position()));
  std::unique_ptr<TBitmap> reduced =
      ReduceToPalette(*section, FChatPalette, PaletteDitherFromItemIndex(DitherModeSelector.ItemIndex()));
  SaveTempFile(*reduced);
  Image2.SetPicture(*reduced);
  PutTempFileOnClipboard(services_.Clipboard);
  HandOffToClient(services_.Desktop);
  frame.End();
}

void TForm1::CopyRGBToClipboardClick() {
  TGridOffFrame frame(*this);
  std::unique_ptr<TBitmap> section = SectionBitmap(kAvatarSize, kAvatarSize);
  TDIB dib;
  dib.CopyFrom(*section);
  services_.Clipboard.SetSingleItem(kCF_BITMAP, dib.ExportClipboardDIB().Data);
  frame.End();
}

// Nothing is drawn here: the next tick shows the section with or without it.
void TForm1::ShowPropsLabelDblClick() { FShowPropGrid = !FShowPropGrid; }

}  // namespace quill
