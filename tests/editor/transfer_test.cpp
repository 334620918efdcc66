#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "editor_form.h"
#include "quill/imaging/Bitmap.h"
#include "quill/imaging/DIB.h"
#include "quill/imaging/ReduceToPalette.h"
#include "quill/importer/AvatarExport.h"
#include "quill/shell/ChatPalette.h"
#include "quill/shell/ClientLink.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

// The clipboard's one CF_DIB item, read back as the chat client would.
TDIB ClipboardDIB(TMemoryClipboard& clipboard) {
  TDIB dib;
  const auto block = clipboard.GetData(kCF_DIB);
  if (block) dib.ImportClipboardDIB(kCF_DIB, block->data(), block->size());
  return dib;
}

TColor32 DIBColour(const TDIB& dib, int x, int y) {
  const TPaletteEntry e = dib.Image()->ColourEntry(dib.Image()->Row(y)[x]);
  return MakeColour32(e.Red, e.Green, e.Blue);
}

TEST_F(EditorTest, ExportIsTheRealSizeImageInNearestModeWhateverTheSelectorShows) {
  form().DitherModeSelector.SetItemIndex(2);  // "Stucki"
  TBitmap32& real = form().EditorNormalSizeImage32.Bitmap();
  ASSERT_EQ(real.Width(), 134) << "start size";
  // Palette colours at the corners, a flat colour between palette steps that
  // any ditherer would break up, and a column and row past the avatar.
  real.FillAll(MakeColour32(255, 0, 255));
  real.FillBlock(0, 40, 132, 80, MakeColour32(120, 120, 130));
  real.SetPixelUnchecked(0, 0, ChatPaletteColour32(7));
  real.SetPixelUnchecked(131, 131, ChatPaletteColour32(220));
  const TWindowHandle client = headless_->Desktop.AddWindow("The Lounge - room", "Lounge");
  form().ExportEditAVButton.Click();

  ASSERT_EQ(headless_->Clipboard.Formats(), (std::vector<unsigned>{kCF_DIB}));
  const TDIB dib = ClipboardDIB(headless_->Clipboard);
  ASSERT_EQ(dib.Width(), 132);
  ASSERT_EQ(dib.Height(), 132);
  ASSERT_EQ(dib.Image()->BitCount(), 8);
  for (int i = 0; i < kChatPaletteSize; ++i) {
    const TPaletteEntry e = dib.Image()->ColourEntry(std::uint32_t(i));
    EXPECT_EQ(MakeColour32(e.Red, e.Green, e.Blue), ChatPaletteColour32(i)) << i;
  }
  EXPECT_EQ(DIBColour(dib, 0, 0), ChatPaletteColour32(7));
  EXPECT_EQ(DIBColour(dib, 131, 131), ChatPaletteColour32(220));
  EXPECT_EQ(DIBColour(dib, 131, 0), MakeColour32(255, 0, 255));
  const std::uint8_t flat = dib.Image()->Row(40)[0];
  for (int y = 40; y < 80; ++y)
    for (int x = 0; x < 132; ++x) ASSERT_EQ(dib.Image()->Row(y)[x], flat) << "dithered at " << x << "," << y;

  EXPECT_FALSE(fs::exists(kTempFileName));
  EXPECT_FALSE(form().ExportEditAVButton.Down());
  EXPECT_EQ(headless_->Desktop.ForegroundWindow(), client);
  EXPECT_EQ(headless_->Desktop.KeyLog().size(), 8u);
  EXPECT_TRUE(headless_->Messages.Shown().empty());
  EXPECT_EQ(real.Width(), 134) << "the views are not changed";
}

TEST_F(EditorTest, ExportWithoutTheClientOnlySetsTheClipboard) {
  form().ExportEditAVButton.Click();
  EXPECT_EQ(headless_->Clipboard.Formats(), (std::vector<unsigned>{kCF_DIB}));
  EXPECT_TRUE(headless_->Desktop.Journal().empty());
}

TEST_F(EditorTest, ArrowButtonsCopyBetweenTheViews) {
  TBitmap32& real = form().EditorNormalSizeImage32.Bitmap();
  for (int y = 0; y < 132; ++y)
    for (int x = 0; x < 132; ++x) real.SetPixelUnchecked(x, y, ChatPaletteColour32((x + 3 * y) % 256));
  form().SpeedButton1.Click();
  EXPECT_EQ(expanded().GetPixelUnchecked(3 * 5 + 2, 3 * 9 + 1), ChatPaletteColour32(5 + 27));
  EXPECT_EQ(expanded().GetPixelUnchecked(396, 396), 0u) << "the strip stays";
  SetCell(2, 2, kRed);
  expanded().SetPixelUnchecked(3 * 4 + 1, 3 * 4 + 1, kGreen);  // only the top-left pixel counts
  form().SpeedButton3.Click();
  EXPECT_EQ(real.GetPixelUnchecked(2, 2), kRed);
  EXPECT_EQ(real.GetPixelUnchecked(4, 4), ChatPaletteColour32(16));
  EXPECT_EQ(real.GetPixelUnchecked(131, 131), ChatPaletteColour32((131 + 3 * 131) % 256));
  form().SpeedButton1.Click();
  EXPECT_EQ(expanded().GetPixelUnchecked(3 * 4 + 1, 3 * 4 + 1), ChatPaletteColour32(16));
}

TEST_F(EditorTest, ResetBeforeAnyTransferDoesNothing) {
  form().ResetEditAVButton.Click();
  EXPECT_EQ(form().AVEditor.Left(), kShownPageLeft);
  EXPECT_EQ(form().EditorNormalSizeImage32.Bitmap().Width(), 134);
  EXPECT_FALSE(fs::exists(kTempFileName));
  EXPECT_TRUE(headless_->Messages.Shown().empty());
}

TEST_F(EditorTest, TransferLoadsThePreviewIntoTheRealSizeViewOnly) {
  // What a preview leaves behind; the importer's own preview replaces it.
  TBitmap source;
  source.SetPixelFormat(pf24bit);
  source.SetSize(kAvatarSize, kAvatarSize);
  ReduceToPalette(source, form().FChatPalette, pdNearest)->SaveToFile(kTempFileName);
  FillCells(kRed);
  for (TSpeedButton* button : {&form().AVToEditorButton, &form().ResetEditAVButton}) {
    form().SpeedButton2.Click();  // the importer page
    button->Click();
    ASSERT_TRUE(headless_->Messages.Shown().empty()) << headless_->Messages.Shown()[0].Text;
    EXPECT_TRUE(form().FEditorImported);
    EXPECT_EQ(form().AVEditor.Left(), kShownPageLeft);
    ASSERT_TRUE(fs::exists(kTempFileName)) << "the file stays";
    TBitmap32 file;
    file.LoadPicture(kTempFileName);
    const TBitmap32& real = form().EditorNormalSizeImage32.Bitmap();
    ASSERT_EQ(real.Width(), 132);
    ASSERT_EQ(real.Height(), 132);
    for (int y = 0; y < 132; y += 7)
      for (int x = 0; x < 132; x += 5) ASSERT_EQ(real.GetPixelUnchecked(x, y), file.GetPixelUnchecked(x, y));
    EXPECT_EQ(Cell(60, 60), kRed) << "the expanded view waits for the arrow";
  }
}

}  // namespace
}  // namespace quill
