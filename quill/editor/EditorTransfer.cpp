// Moving the avatar between the importer and the editor, between the
// expanded and the real-size views, and the editor's export.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "quill/editor/EditorCanvas.h"
#include "quill/imaging/Bitmap.h"
#include "quill/imaging/DIB.h"
#include "quill/imaging/ReduceToPalette.h"
#include "quill/importer/AvatarExport.h"
#include "quill/platform/ClipboardPictures.h"
#include "quill/shell/ChatPalette.h"
#include "quill/shell/Form1.h"

namespace quill {

void TForm1::AVToEditorButtonClick() {
  // The preview reduces the section with the chosen dither mode and leaves
  // it in the temporary file.
  TestDitherButtonClick();
  FEditorImported = true;
  ShowPage(AVEditor);
  // The real-size view takes the file's size (132 x 132) and colours; the
  // expanded view waits for the left arrow.
  EditorNormalSizeImage32.Bitmap().LoadPicture(kTempFileName);
}

void TForm1::SpeedButton1Click() {
  const TBitmap32& real = EditorNormalSizeImage32.Bitmap();
  TBitmap32& expanded = AVExpandedImage32.Bitmap();
  editorHistory_.Begin(expanded);
  expanded.BeginUpdate();
  for (int j = 0; j < kCellCount; ++j) {
    for (int i = 0; i < kCellCount; ++i) {
      expanded.FillBlockClipped(kCellSize * i, kCellSize * j, kCellSize * (i + 1), kCellSize * (j + 1),
                                real.GetPixelSafe(i, j));
    }
  }
  expanded.EndUpdate();
  expanded.NotifyChanged();
  editorHistory_.Commit(expanded);
}

void TForm1::SpeedButton3Click() {
  const TBitmap32& expanded = AVExpandedImage32.Bitmap();
  TBitmap32& real = EditorNormalSizeImage32.Bitmap();
  const int w = std::min(real.Width(), kCellCount);
  const int h = std::min(real.Height(), kCellCount);
  // The top-left pixel of each cell stands for the cell.
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) real.SetPixelUnchecked(i, j, expanded.GetPixelSafe(kCellSize * i, kCellSize * j));
  real.NotifyChanged();
}

void TForm1::ResetEditAVButtonClick() {
  if (!FEditorImported) return;
  // The transfer reads the section as the importer page shows it now.
  ShowPage(AVImporter);
  AVToEditorButtonClick();
}

void TForm1::ExportEditAVButtonClick() {
  // 1. Exactly the avatar's 132 x 132 pixels from the top-left corner, also
  // while the real-size view still has its start size of 134 x 134.
  const TBitmap32& real = EditorNormalSizeImage32.Bitmap();
  TBitmap avatar;
  avatar.SetPixelFormat(pf32bit);
  avatar.SetSize(kAvatarSize, kAvatarSize);
  for (int y = 0; y < kAvatarSize; ++y) {
    std::uint8_t* row = avatar.ScanLine(y);
    for (int x = 0; x < kAvatarSize; ++x) {
      const TColor32 pixel = real.GetPixelSafe(x, y);
      std::memcpy(row + std::size_t(x) * sizeof pixel, &pixel, sizeof pixel);
    }
  }
  // 2. The editor always reduces to the nearest colour, whatever the
  // importer's dither selector shows.
  std::unique_ptr<TBitmap> reduced = ReduceToPalette(avatar, FChatPalette, pdNearest);
  // 3. Through the temporary file into the DIB graphic, onto the emptied
  // clipboard as its one CF_DIB item.
  SaveTempFile(*reduced);
  auto dib = std::make_unique<TDIB>();
  dib->LoadFile(kTempFileName);
  PutDIBOnClipboard(*dib, Services().Clipboard);
  // 4. Unlike the importer's export, the client takes the image before the
  // clean-up.
  HandOffToClient(Services().Desktop);
  // 5. Clean-up.
  dib.reset();
  reduced.reset();
  std::remove(kTempFileName);
  // 6. The latching button comes up again.
  ExportEditAVButton.SetDown(false);
}

}  // namespace quill
