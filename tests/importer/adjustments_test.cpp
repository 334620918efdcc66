#include <gtest/gtest.h>

#include "importer_form.h"
#include "quill/importer/ToneAdjustment.h"
#include "quill/ui/NumberText.h"

namespace quill::test {
namespace {

TEST(ToneAdjustment, WorkedValues) {
  struct Case {
    const char* why;
    int brightness, contrast, saturation;  // slider positions
    int input, want;
  };
  const Case cases[] = {
      {"start positions are the identity", 128, 50, 50, 77, 77},
      {"contrast then gain", 128, 100, 0, 200, 118},
      {"contrast result is not clamped before the gain", 128, 100, 0, 255, 159},
      {"negative products truncate toward zero", 128, 1, 50, 0, 63},
      {"negative result clamps to 0", 128, 100, 100, 0, 0},
      {"brightness clamps before contrast", 256, 0, 50, 200, 191},
      {"brightness up keeps white white", 256, 50, 50, 255, 255},
      {"brightness down on dark gives black", 0, 50, 50, 127, 0},
  };
  for (const Case& c : cases) {
    const TToneSettings tone{c.brightness - 128, c.contrast + 50, c.saturation + 50};
    EXPECT_EQ(ToneChannel(c.input, tone), c.want) << c.why;
    // The table the refresh uses gives the same value on every channel.
    const TAdjustmentTables tables = BuildAdjustmentTables(tone, TColorShift{});
    EXPECT_EQ(ApplyTables(MakeColour32(c.input, c.input, c.input, 0), tables), MakeColour32(c.want, c.want, c.want))
        << c.why;
  }
}

TEST(ToneAdjustment, ShiftsActOnTheirOwnChannel) {
  const TColorShift shift{-128, 0, 100};
  EXPECT_EQ(ApplyShift(MakeColour32(100, 100, 200), shift), MakeColour32(0, 100, 255));
}

using AdjustmentHandlers = ImporterTest;

TEST_F(AdjustmentHandlers, DeltaTextsAndLabelClicks) {
  TForm1& f = form();
  struct Case {
    const char* what;
    std::function<void()> act;
    TStaticText& text;
    const char* want;
  };
  const Case cases[] = {
      {"brightness below middle", [&] { f.BrightnessAdjust.SetPosition(123); }, f.DeltaBrightnessStaticText, "-5"},
      {"brightness label", [&] { f.StaticText2.Click(); }, f.DeltaBrightnessStaticText, "0"},
      {"red shift", [&] { f.RedAdjust.SetPosition(256); }, f.DeltaRedStaticText, "128"},
      {"contrast factor", [&] { f.ContrastGaugeBar.SetPosition(37); }, f.DeltaContrastStaticText, "0.87"},
      {"saturation at 0", [&] { f.SaturationGaugeBar.SetPosition(0); }, f.DeltaSaturationStaticText, "0.50"},
      {"saturation label", [&] { f.StaticText16.Click(); }, f.DeltaSaturationStaticText, "1.00"},
      {"width read-out", [&] { f.SectionSizeGaugeBar.SetPosition(0); }, f.SectionSizeStaticText, "32"},
      {"width label", [&] { f.StaticText6.Click(); }, f.SectionSizeStaticText, "132"},
  };
  for (const Case& c : cases) {
    c.act();
    EXPECT_EQ(c.text.Caption(), c.want) << c.what;
  }
  // At the middle already: the brightness label rewrites its text, the
  // colour-shift labels fire nothing.
  f.DeltaBrightnessStaticText.SetCaption("x");
  f.DeltaGreenStaticText.SetCaption("x");
  f.SectionHeightStaticText.SetCaption("x");
  f.StaticText2.Click();
  f.StaticText7.Click();
  f.StaticText1.Click();
  EXPECT_EQ(f.DeltaBrightnessStaticText.Caption(), "0");
  EXPECT_EQ(f.DeltaGreenStaticText.Caption(), "x");
  EXPECT_EQ(f.SectionHeightStaticText.Caption(), "132");
}

TEST_F(AdjustmentHandlers, ReadOutsTakeTheUsersDecimalSeparator) {
  TForm1& f = form();
  SetDecimalSeparator(',');
  f.ContrastGaugeBar.SetPosition(37);
  f.sbScale.SetPosition(125);
  SetDecimalSeparator('.');
  EXPECT_EQ(f.DeltaContrastStaticText.Caption(), "0,87");
  EXPECT_EQ(f.SizeStaticText.Caption(), "0,25");
}

TEST_F(AdjustmentHandlers, ResetKeepsSaturationAndPutsBackgroundTo127) {
  TForm1& f = form();
  f.SaturationGaugeBar.SetPosition(0);
  f.ContrastGaugeBar.SetPosition(3);
  f.SectionHeightGaugeBar.SetPosition(7);
  f.DitherModeSelector.SetItemIndex(5);
  f.FlipHorizontal.SetChecked(true);
  f.StaticText10.Click();
  f.StaticText11.Click();
  f.StaticText12.Click();
  EXPECT_EQ(f.FBackgroundColor, MakeColour32(128, 128, 128));
  EXPECT_EQ(f.Dst.Bitmap().GetPixelUnchecked(5, 5), MakeColour32(128, 128, 128)) << "rescaled at once";

  f.ResetAdjustmentsButton.Click();
  EXPECT_EQ(f.SaturationGaugeBar.Position(), 0);
  EXPECT_EQ(f.DeltaSaturationStaticText.Caption(), "0.50");
  EXPECT_EQ(f.ContrastGaugeBar.Position(), 50);
  EXPECT_EQ(f.SectionHeightStaticText.Caption(), "132");
  EXPECT_EQ(f.DitherModeSelector.ItemIndex(), 1);
  EXPECT_FALSE(f.FlipHorizontal.Checked());
  EXPECT_EQ(f.FBackgroundColor, MakeColour32(127, 127, 127));
  EXPECT_EQ(f.Dst.Bitmap().GetPixelUnchecked(309, 309), MakeColour32(127, 127, 127));
}

}  // namespace
}  // namespace quill::test
