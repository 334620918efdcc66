#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <vector>

#include "importer_form.h"
#include "quill/imaging/DIB.h"

namespace quill::test {
namespace {

namespace fs = std::filesystem;

using SourcePicture = ImporterTest;

// What a failed load must leave alone.
struct TSnapshot {
  int sourceWidth, sourceHeight;
  std::vector<TColor32> viewport, section;
  int scale, brightness, sectionX;
  std::string fileName;
  std::vector<unsigned> clipboard;
  fs::path directory;
  bool operator==(const TSnapshot& o) const {
    return sourceWidth == o.sourceWidth && sourceHeight == o.sourceHeight && viewport == o.viewport &&
           section == o.section && scale == o.scale && brightness == o.brightness && sectionX == o.sectionX &&
           fileName == o.fileName && clipboard == o.clipboard && directory == o.directory;
  }
};

TSnapshot Take(TForm1& f, const IClipboard& clipboard) {
  auto pixels = [](const TBitmap32& b) { return std::vector<TColor32>(b.Bits(), b.Bits() + b.Width() * b.Height()); };
  return TSnapshot{f.Image1.Bitmap().Width(),
                   f.Image1.Bitmap().Height(),
                   pixels(f.Dst.Bitmap()),
                   pixels(f.NavigateImage32.Bitmap()),
                   f.sbScale.Position(),
                   f.BrightnessAdjust.Position(),
                   f.FSectionX,
                   f.OpenDialog1.FileName,
                   clipboard.Formats(),
                   fs::current_path()};
}

TEST_F(SourcePicture, LoadRestoresDefaultsAndRemembersTheFile) {
  TForm1& f = form();
  const std::string path = WritePicture("p.bmp", 200, 100);
  f.sbScale.SetPosition(250);
  f.BrightnessAdjust.SetPosition(3);
  f.MyXScrollBar.SetPosition(50);
  Load(path);
  EXPECT_TRUE(f.FImageLoaded);
  EXPECT_EQ(f.sbScale.Position(), 500);
  EXPECT_EQ(f.BrightnessAdjust.Position(), 128);
  EXPECT_EQ(f.FSectionX, 0);
  EXPECT_EQ(f.FSectionRangeX, 176);
  ASSERT_EQ(headless().FileDialog.Requests().size(), 1u);
  EXPECT_EQ(headless().FileDialog.Requests()[0].Filter,
            "All Images (BMPs, GIFs,JPGs)|*.bmp;*.gif;*.jpg|BMPs|*.bmp|GIFs|*.gif|JPGs|*.jpg");
  headless().FileDialog.AnswerCancel();
  f.SpeedButton20.Click();
  EXPECT_EQ(headless().FileDialog.Requests()[1].InitialFileName, path);
  EXPECT_EQ(f.OpenDialog1.FileName, path);
}

TEST_F(SourcePicture, PictureThatFailsChangesNothing) {
  TForm1& f = form();
  Load(WritePicture("good.bmp", 200, 100));
  f.MyXScrollBar.SetPosition(40);
  f.sbScale.SetPosition(300);
  headless().Clipboard.SetData(1, {'t', 0});
  const std::string bad[] = {std::string(QUILL_TEST_DATA) + "/corrupt.bmp",
                             std::string(QUILL_TEST_DATA) + "/corrupt.jpg",
                             std::string(QUILL_TEST_DATA) + "/corrupt.gif", (headless().Dir / "missing.bmp").string(),
                             std::string(QUILL_TEST_DATA) + "/chat_palette.txt"};
  for (const std::string& path : bad) {
    f.Timer1.Tick();
    const TSnapshot before = Take(f, headless().Clipboard);
    headless().Messages.Clear();
    Load(path);
    f.Timer1.Tick();
    EXPECT_EQ(headless().Messages.Shown().size(), 1u) << path;
    EXPECT_TRUE(Take(f, headless().Clipboard) == before) << path;
  }
}

TEST_F(SourcePicture, ClipboardWithoutAPictureGivesItsMessage) {
  TForm1& f = form();
  Load(WritePicture("good.bmp", 200, 100));
  const std::vector<std::uint8_t> malformedDib = {40, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F, 1, 0};
  struct Case {
    const char* what;
    unsigned format;
    std::vector<std::uint8_t> bytes;
    const char* message;  // nullptr: the reader's own error
  };
  const Case cases[] = {
      {"nothing", 0, {}, "Could not load from clipboard, invalid format."},
      {"text", 1, {'h', 'i', 0}, "Could not load from clipboard, invalid format."},
      {"malformed DIB", kCF_DIB, malformedDib, nullptr},
      {"empty bitmap item", kCF_BITMAP, {}, nullptr},
  };
  for (const Case& c : cases) {
    headless().Clipboard.Clear();
    if (c.format != 0) headless().Clipboard.SetData(c.format, c.bytes);
    headless().Messages.Clear();
    f.OpenDialog1.FileName = "x.bmp";
    const TSnapshot before = Take(f, headless().Clipboard);
    f.PasteClipboardToMain.Click();
    ASSERT_EQ(headless().Messages.Shown().size(), 1u) << c.what;
    if (c.message) {
      EXPECT_EQ(headless().Messages.Shown()[0].Text, c.message);
      EXPECT_EQ(headless().Messages.Shown()[0].Style, msConfirmation);
    }
    EXPECT_EQ(f.OpenDialog1.FileName, "") << c.what << ": the remembered name is cleared first";
    TSnapshot after = Take(f, headless().Clipboard);
    after.fileName = before.fileName;
    EXPECT_TRUE(after == before) << c.what;
  }
}

TEST_F(SourcePicture, ClipboardPictureAndResetFromIt) {
  TForm1& f = form();
  TBitmap32 picture;
  MakeNoisePicture(picture, 60, 40);
  TBitmap plain;
  picture.CopyTo(plain);
  TDIB dib;
  dib.CopyFrom(plain);
  headless().Clipboard.SetData(kCF_DIB, dib.ExportClipboardDIB().Data);
  f.PasteClipboardToMain.Click();
  EXPECT_TRUE(headless().Messages.Shown().empty());
  EXPECT_EQ(f.Image1.Bitmap().Width(), 60);
  EXPECT_TRUE(f.FImageLoaded);
  // Reset takes the clipboard again and keeps the viewport offsets.
  f.Image1.Bitmap().ChangeSize(1, 1);
  f.FScrollX = 7;
  f.ResetButton.Click();
  EXPECT_EQ(f.Image1.Bitmap().Width(), 60);
  EXPECT_EQ(f.FScrollX, 0) << "clamped: a 60-pixel picture does not scroll";
  EXPECT_EQ(f.sbScale.Position(), 500);
}

TEST_F(SourcePicture, OnePixelPictureAtEveryScaleExtreme) {
  TForm1& f = form();
  Load(WritePicture("one.bmp", 1, 1));
  for (int position : {0, 1, 999, 1000, 500}) {
    f.sbScale.SetPosition(position);
    f.Timer1.Tick();
    EXPECT_EQ(f.FScrollMaxX, 0) << position;
    EXPECT_LE(f.TempScaleImage32.Bitmap().Width(), 310);
  }
}

// Reset refreshes the section from the viewport as it still is, with the
// sliders as they still are, then puts the sliders back and rescales; the
// viewport offsets stay.
TEST_F(SourcePicture, ResetFromTheFileRefreshesTheSectionBeforeTheRescale) {
  TForm1& f = form();
  const std::string path = WritePicture("p.bmp", 700, 700);
  Load(path);
  ChooseBlocky();
  f.ScrollBar1.SetPosition(500);
  f.sbScale.SetPosition(250);
  ASSERT_EQ(f.FScrollX, 41);  // clamped: Round(349.5 + 0.5) - 309
  f.BrightnessAdjust.SetPosition(0);
  f.MyXScrollBar.SetPosition(50);
  const TColor32 old = f.Dst.Bitmap().GetPixelUnchecked(0, 0);
  WritePicture("p.bmp", 600, 650);
  f.ResetButton.Click();
  EXPECT_EQ(f.Image1.Bitmap().Width(), 600);
  EXPECT_EQ(f.FSectionX, 0);
  EXPECT_EQ(f.BrightnessAdjust.Position(), 128);
  EXPECT_EQ(f.sbScale.Position(), 500);
  EXPECT_EQ(f.FScrollX, 41) << "the offsets stay";
  const auto dark = [](int c) { return std::max(0, c - 128); };
  EXPECT_EQ(f.NavigateImage32.Bitmap().GetPixelUnchecked(1, 1),
            MakeColour32(dark(RedComponent(old)), dark(GreenComponent(old)), dark(BlueComponent(old))));
  EXPECT_EQ(f.Dst.Bitmap().GetPixelUnchecked(0, 0), NoisePixel(41, 0));
}

TEST_F(SourcePicture, ResetWithNeitherFileNorClipboardPictureOnlyShowsTheReadersMessage) {
  TForm1& f = form();
  Load(WritePicture("good.bmp", 200, 100));
  f.OpenDialog1.FileName.clear();
  f.sbScale.SetPosition(300);
  f.Timer1.Tick();
  const TSnapshot before = Take(f, headless().Clipboard);
  f.ResetButton.Click();
  f.Timer1.Tick();
  ASSERT_EQ(headless().Messages.Shown().size(), 1u);
  EXPECT_EQ(headless().Messages.Shown()[0].Text, "Unknown clipboard format");
  EXPECT_TRUE(Take(f, headless().Clipboard) == before);
}

}  // namespace
}  // namespace quill::test
