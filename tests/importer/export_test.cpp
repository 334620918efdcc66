#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "importer_form.h"
#include "quill/imaging/DIB.h"
#include "quill/imaging/ReduceToPalette.h"
#include "quill/importer/AvatarExport.h"
#include "quill/shell/ChatPalette.h"

namespace quill::test {
namespace {

namespace fs = std::filesystem;

class Export : public ImporterTest {
 protected:
  void SetUp() override {
    ImporterTest::SetUp();
    Load(WritePicture("p.bmp", 400, 400));
    ChooseBlocky();
  }
  TDIB ClipboardDIB(unsigned format) {
    const auto block = headless().Clipboard.GetData(format);
    TDIB dib;
    if (block) dib.ImportClipboardDIB(kCF_DIB, block->data(), block->size());
    return dib;
  }
};

TEST_F(Export, OneDibOfTheSectionSizeInTheChatPaletteAndNoFileLeft) {
  TForm1& f = form();
  f.SectionSizeGaugeBar.SetPosition(0);
  f.SectionHeightGaugeBar.SetPosition(25);
  headless().Clipboard.SetData(1, {'x', 0});
  f.ExportAVButton.Click();
  EXPECT_EQ(headless().Clipboard.Formats(), std::vector<unsigned>{kCF_DIB});
  const TDIB dib = ClipboardDIB(kCF_DIB);
  EXPECT_EQ(dib.Width(), 32);
  EXPECT_EQ(dib.Height(), 82);
  EXPECT_EQ(dib.Image()->BitCount(), 8);
  const TPalette chat = BuildChatPalette();
  for (int i = 0; i < kChatPaletteSize; ++i) {
    const TPaletteEntry e = dib.Image()->ColourEntry(i), want = chat.Entries()[i];
    ASSERT_TRUE(e.Red == want.Red && e.Green == want.Green && e.Blue == want.Blue) << i;
  }
  EXPECT_FALSE(fs::exists(kTempFileName));
  EXPECT_EQ(f.Image2.Picture().Width(), 32);
  EXPECT_TRUE(headless().Desktop.KeyLog().empty()) << "no client, no keys";
  EXPECT_TRUE(headless().Messages.Shown().empty());
}

TEST_F(Export, ShortcutsGoToARunningClient) {
  headless().Desktop.AddWindow("The Lounge - Main Room");
  form().ExportAVButton.Click();
  EXPECT_EQ(headless().Desktop.KeyLog().size(), 8u);
}

TEST_F(Export, GridAbsentFromEveryResultAndBackAfterwards) {
  TForm1& f = form();
  f.DitherModeSelector.SetItemIndex(0);  // nearest: each pixel reduces on its own
  // The section as it is without the grid, and its reduction: the grid's grey
  // is no chat colour, so only a comparison with these tells it apart.
  f.FShowPropGrid = false;
  f.Timer1.Tick();
  const std::unique_ptr<TBitmap> plain = f.SectionBitmap(132, 132);
  const std::unique_ptr<TBitmap> reduced = ReduceToPalette(*plain, f.FChatPalette, pdNearest);
  f.FShowPropGrid = true;
  struct Case {
    const char* what;
    TSpeedButton& button;
  };
  const Case cases[] = {{"preview", f.TestDitherButton}, {"export", f.ExportAVButton}, {"rgb", f.CopyRGBToClipboard}};
  for (const Case& c : cases) {
    f.Timer1.Tick();
    ASSERT_EQ(f.NavigateImage32.Bitmap().GetPixelUnchecked(5, 44), kPropGridColor);
    c.button.Click();
    TBitmap result;
    const bool rgb = &c.button == &f.CopyRGBToClipboard;
    if (rgb) {
      ClipboardDIB(kCF_BITMAP).CopyTo(result);
      EXPECT_EQ(headless().Clipboard.Formats(), std::vector<unsigned>{kCF_BITMAP}) << c.what;
    } else {
      result = f.Image2.Picture();
    }
    const TBitmap& want = rgb ? *plain : *reduced;
    ASSERT_EQ(result.Width(), 132) << c.what;
    ASSERT_EQ(result.Height(), 132) << c.what;
    for (int y = 0; y < 132; ++y)
      for (int x = 0; x < 132; ++x)
        ASSERT_EQ(result.PixelColour(x, y) & 0xFFFFFF, want.PixelColour(x, y) & 0xFFFFFF)
            << c.what << " " << x << "," << y;
    EXPECT_TRUE(f.FShowPropGrid) << c.what;
    EXPECT_EQ(f.NavigateImage32.Bitmap().GetPixelUnchecked(5, 44), kPropGridColor) << c.what << ": grid back";
  }
  f.ShowPropsLabel.DblClick();
  f.TestDitherButton.Click();
  EXPECT_FALSE(f.FShowPropGrid) << "a hidden grid stays hidden";
  f.ShowPropsLabel.Click();
  EXPECT_FALSE(f.FShowPropGrid) << "a single click does nothing";
}

TEST_F(Export, PreviewLeavesTheFileAndTakesBurkesWithoutASelection) {
  TForm1& f = form();
  f.SectionSizeGaugeBar.SetPosition(3);
  f.DitherModeSelector.SetItemIndex(-1);
  f.ShowPropsLabel.DblClick();  // the section view then holds what the preview took
  f.TestDitherButton.Click();
  ASSERT_TRUE(fs::exists(kTempFileName));
  TBitmap saved;
  saved.LoadFromFile(kTempFileName);
  EXPECT_EQ(saved.Width(), 132) << "the preview is always 132 x 132";
  std::unique_ptr<TBitmap> section = f.SectionBitmap(132, 132);
  std::unique_ptr<TBitmap> burkes = ReduceToPalette(*section, f.FChatPalette, pdBurkes);
  EXPECT_EQ(saved.SaveToStream(), burkes->SaveToStream());
  // The next export removes it.
  f.ExportAVButton.Click();
  EXPECT_FALSE(fs::exists(kTempFileName));
}

TEST_F(Export, UnwritableTempFileLeavesClipboardAndSendsNoKeys) {
  headless().Desktop.AddWindow("The Lounge");
  headless().Clipboard.SetData(1, {'k', 'e', 'e', 'p', 0});
  fs::create_directory(kTempFileName);  // a folder where the file should go
  form().ExportAVButton.Click();
  ASSERT_EQ(headless().Messages.Shown().size(), 1u);
  EXPECT_EQ(headless().Clipboard.Formats(), std::vector<unsigned>{1});
  EXPECT_TRUE(headless().Desktop.KeyLog().empty());
  EXPECT_TRUE(form().FShowPropGrid);
}

// Listeners and other programs never see the clipboard emptied between the
// emptying and the item: each export is one session.
TEST_F(Export, EachExportOpensTheClipboardOnce) {
  TForm1& f = form();
  for (TSpeedButton* button : {&f.ExportAVButton, &f.CopyRGBToClipboard, &f.ExportEditAVButton}) {
    const int before = headless().Clipboard.Sessions();
    button->Click();
    EXPECT_TRUE(headless().Messages.Shown().empty());
    EXPECT_EQ(headless().Clipboard.Sessions() - before, 1) << button->Name();
  }
}

}  // namespace
}  // namespace quill::test
