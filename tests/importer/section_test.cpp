#include <gtest/gtest.h>

#include "importer_form.h"
#include "quill/shell/ChatPalette.h"

namespace quill::test {
namespace {

using Section = ImporterTest;

TColor32 SectionPixel(TForm1& f, int x, int y) { return f.NavigateImage32.Bitmap().GetPixelUnchecked(x, y); }

TEST_F(Section, PositionFromSlidersAndRefreshOnTick) {
  TForm1& f = form();
  Load(WritePicture("p.bmp", 400, 400));
  ChooseBlocky();
  f.Timer1.Tick();
  f.MyXScrollBar.SetPosition(100);
  f.MyYScrollBar.SetPosition(33);
  EXPECT_EQ(f.FSectionX, 176);
  EXPECT_EQ(f.FSectionY, 58);  // 33 x 176 div 100
  EXPECT_EQ(SectionPixel(f, 1, 1), NoisePixel(0, 0)) << "no redraw before the tick";
  f.Timer1.Tick();
  EXPECT_EQ(SectionPixel(f, 1, 1), NoisePixel(176, 58));
  EXPECT_EQ(SectionPixel(f, 131, 1), NoisePixel(306, 58)) << "a 132-pixel section ends at column 307";
  // The frame stays black and the grid marks the props' last rows and columns.
  EXPECT_EQ(SectionPixel(f, 0, 5), 0u);
  EXPECT_EQ(SectionPixel(f, 133, 133), 0u);
  EXPECT_EQ(SectionPixel(f, 10, 44), kPropGridColor);
  EXPECT_EQ(SectionPixel(f, 88, 10), kPropGridColor);
  // Another page shown: no refresh.
  f.SpeedButton4.Click();
  f.MyXScrollBar.SetPosition(0);
  f.Timer1.Tick();
  EXPECT_EQ(SectionPixel(f, 1, 1), NoisePixel(176, 58));
}

TEST_F(Section, FlipsMirrorTheWholeArea) {
  TForm1& f = form();
  Load(WritePicture("p.bmp", 400, 400));
  ChooseBlocky();
  f.ShowPropsLabel.DblClick();             // no grid over the pixels looked at
  f.SectionSizeGaugeBar.SetPosition(10);   // 52 wide
  f.SectionHeightGaugeBar.SetPosition(0);  // 32 high
  const TColor32 bg = f.FBackgroundColor;
  struct Case {
    bool h, v;
    int x, y;  // working-copy pixel
    TColor32 want;
  };
  const Case cases[] = {
      {false, false, 1, 1, NoisePixel(0, 0)},
      {false, false, 53, 1, bg},
      // Narrower section with "H": content from column 101 - 2 x 10 = 81 to 132.
      {true, false, 81, 1, NoisePixel(51, 0)},
      {true, false, 132, 1, NoisePixel(0, 0)},
      {true, false, 80, 1, bg},
      {false, true, 1, 132, NoisePixel(0, 0)},
      {false, true, 1, 101, NoisePixel(0, 31)},
      {true, true, 132, 132, NoisePixel(0, 0)},
  };
  for (const Case& c : cases) {
    f.FlipHorizontal.SetChecked(c.h);
    f.FlipVertical.SetChecked(c.v);
    f.Timer1.Tick();
    EXPECT_EQ(SectionPixel(f, c.x, c.y), c.want) << c.h << c.v << " at " << c.x << "," << c.y;
  }
}

TEST_F(Section, BackgroundPassesThroughBothSteps) {
  TForm1& f = form();
  Load(WritePicture("p.bmp", 400, 400));
  f.SectionSizeGaugeBar.SetPosition(0);
  struct Case {
    int brightness, contrast, saturation, red, green, blue;
    TColor32 want;  // of the background grey 127
  };
  const Case cases[] = {
      // (127 - 128) x 50 div 100 = 0, so contrast 0 lifts grey 127 to 128.
      {128, 0, 50, 128, 128, 128, MakeColour32(128, 128, 128)},
      {138, 50, 50, 128, 128, 128, MakeColour32(137, 137, 137)},
      {128, 50, 50, 0, 128, 128, MakeColour32(0, 127, 127)},
      {128, 50, 0, 128, 128, 128, MakeColour32(63, 63, 63)},  // a gain of 0.50 about 0
      {128, 50, 50, 128, 0, 256, MakeColour32(127, 0, 255)},
  };
  for (const Case& c : cases) {
    f.BrightnessAdjust.SetPosition(c.brightness);
    f.ContrastGaugeBar.SetPosition(c.contrast);
    f.SaturationGaugeBar.SetPosition(c.saturation);
    f.RedAdjust.SetPosition(c.red);
    f.GreenAdjust.SetPosition(c.green);
    f.BlueAdjust.SetPosition(c.blue);
    f.Timer1.Tick();
    EXPECT_EQ(SectionPixel(f, 100, 100), c.want) << &c - cases;
  }
}

TEST_F(Section, NestedRefreshReturnsAtOnce) {
  TForm1& f = form();
  Load(WritePicture("p.bmp", 50, 50));
  const int before = f.SectionRefreshCount();
  f.FCopyBusy = true;
  f.Timer1.Tick();
  EXPECT_EQ(f.SectionRefreshCount(), before);
  f.FCopyBusy = false;
  f.Timer1.Tick();
  EXPECT_EQ(f.SectionRefreshCount(), before + 1);
  EXPECT_FALSE(f.FCopyBusy);
}

}  // namespace
}  // namespace quill::test
