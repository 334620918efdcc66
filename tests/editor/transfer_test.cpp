#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

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

TEST_F(EditorTest, ExportToAnUnwritableFileShowsTheErrorAndLeavesTheClipboard) {
  headless_->Desktop.AddWindow("The Lounge");
  headless_->Clipboard.SetData(1, {'k', 'e', 'e', 'p', 0});
  fs::create_directory(kTempFileName);  // a folder where the file should go
  form().ExportEditAVButton.Click();
  ASSERT_EQ(headless_->Messages.Shown().size(), 1u);
  EXPECT_EQ(headless_->Clipboard.Formats(), std::vector<unsigned>{1});
  EXPECT_TRUE(headless_->Desktop.KeyLog().empty());
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
  TForm1& f = form();
  // A picture whose preview is neither black nor the nearest reduction.
  TBitmap32 gradient;
  gradient.ChangeSize(200, 200);
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 200; ++x) gradient.SetPixelUnchecked(x, y, MakeColour32(x, y, (x + y) / 2));
  TBitmap picture;
  gradient.CopyTo(picture);
  picture.SetPixelFormat(pf24bit);
  picture.SaveToFile("picture.bmp");
  f.SpeedButton2.Click();
  headless_->FileDialog.AnswerWith((headless_->Dir / "picture.bmp").string());
  f.SpeedButton20.Click();
  f.DitherModeSelector.SetItemIndex(1);
  f.FShowPropGrid = false;
  f.Timer1.Tick();
  const std::unique_ptr<TBitmap> section = f.SectionBitmap(kAvatarSize, kAvatarSize);
  TBitmap32 want, nearest;
  want.CopyFrom(*ReduceToPalette(*section, f.FChatPalette, PaletteDitherFromItemIndex(1)));
  nearest.CopyFrom(*ReduceToPalette(*section, f.FChatPalette, pdNearest));
  ASSERT_NE(std::vector<TColor32>(want.Bits(), want.Bits() + 132 * 132),
            std::vector<TColor32>(nearest.Bits(), nearest.Bits() + 132 * 132));
  FillCells(kRed);
  for (TSpeedButton* button : {&f.AVToEditorButton, &f.ResetEditAVButton}) {
    // What an earlier preview left behind; the transfer's own preview replaces it.
    TBitmap black;
    black.SetPixelFormat(pf24bit);
    black.SetSize(kAvatarSize, kAvatarSize);
    ReduceToPalette(black, f.FChatPalette, pdNearest)->SaveToFile(kTempFileName);
    f.SpeedButton2.Click();  // the importer page
    button->Click();
    ASSERT_TRUE(headless_->Messages.Shown().empty()) << headless_->Messages.Shown()[0].Text;
    EXPECT_TRUE(f.FEditorImported);
    EXPECT_EQ(f.AVEditor.Left(), kShownPageLeft);
    EXPECT_TRUE(fs::exists(kTempFileName)) << "the file stays";
    const TBitmap32& real = f.EditorNormalSizeImage32.Bitmap();
    ASSERT_EQ(real.Width(), 132);
    ASSERT_EQ(real.Height(), 132);
    for (int y = 0; y < 132; ++y)
      for (int x = 0; x < 132; ++x)
        ASSERT_EQ(real.GetPixelUnchecked(x, y) & 0xFFFFFFu, want.GetPixelUnchecked(x, y) & 0xFFFFFFu);
    EXPECT_EQ(Cell(60, 60), kRed) << "the expanded view waits for the arrow";
  }
}

}  // namespace
}  // namespace quill
