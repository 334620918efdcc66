// The command line as control moves: the fixed order of application, the
// words, the ranges (checked against the window's own controls) and the
// reasons for refusing a command line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quill/cli/CliOptions.h"
#include "quill/cli/CliSession.h"
#include "quill/cli/ScratchFolder.h"
#include "quill/ui/RangeControl.h"

namespace quill {
namespace {

using TArgs = std::vector<std::string>;

TControlStep Pos(const char* control, int value) { return {skPosition, control, value}; }
TControlStep Item(const char* control, int value) { return {skRadioItem, control, value}; }
TControlStep Check(const char* control) { return {skCheck, control, 1}; }

TEST(CliOptions, SettingsBecomeControlMovesInTheirFixedOrder) {
  struct TRow {
    const char* Why;
    TArgs Args;
    std::vector<TControlStep> Steps;
    TCliAction Action;
  };
  const TRow rows[] = {
      {"command-line order does not matter",
       {"--dither", "stucki", "p.jpg", "--scale", "250", "-o", "x"},
       {Pos("sbScale", 250), Item("DitherModeSelector", 2)},
       caExport},
      {"blocky needs another item clicked first",
       {"p.jpg", "-o", "x", "--resize", "blocky"},
       {Item("rgStretchFilter", 1), Item("rgStretchFilter", 0)},
       caExport},
      {"pairs go first x then y",
       {"p.jpg", "-o", "x", "--section", "100,0", "--scroll=7,1000"},
       {Pos("ScrollBar1", 7), Pos("ScrollBar2", 1000), Pos("MyXScrollBar", 100), Pos("MyYScrollBar", 0)},
       caExport},
      {"the last value counts",
       {"p.jpg", "-o", "x", "--contrast", "1", "--contrast", "100", "--preview"},
       {Pos("ContrastGaugeBar", 100)},
       caPreview},
      {"flips and colours after the tone",
       {"p.jpg", "-o", "x", "--flip", "hv", "--background", "0,1,255", "--rgb"},
       {Pos("RedBGGaugeBar", 0), Pos("GreenBGGaugeBar", 1), Pos("BlueBGGaugeBar", 255), Check("FlipHorizontal"),
        Check("FlipVertical")},
       caRgb},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.Why);
    const TCliOptions options = ParseCliOptions(row.Args);
    EXPECT_EQ(options.Steps, row.Steps);
    EXPECT_EQ(options.Action, row.Action);
    EXPECT_EQ(options.Out, "x");
    EXPECT_EQ(options.Pictures, TArgs{"p.jpg"});
  }
}

TEST(CliOptions, RefusesWithAOneLineReason) {
  struct TRow {
    TArgs Args;
    const char* Reason;
  };
  const TRow rows[] = {
      {{"p.jpg", "-o", "x", "--bogus", "1"}, "unknown option --bogus"},
      {{"p.jpg", "-o", "x", "--scale", "1001"}, "--scale wants a whole number from 0 to 1000, not '1001'"},
      {{"p.jpg", "-o", "x", "--scale", "-1"}, "not '-1'"},
      {{"p.jpg", "-o", "x", "--brightness", "12a"}, "not '12a'"},
      {{"p.jpg", "-o", "x", "--brightness", "257"}, "from 0 to 256"},
      {{"p.jpg", "-o", "x", "--scroll", "5"}, "--scroll wants 2 whole numbers from 0 to 1000 separated by commas"},
      {{"p.jpg", "-o", "x", "--shift", "1,2,3,4"}, "--shift wants 3 whole numbers"},
      {{"p.jpg", "-o", "x", "--size", "51,0"}, "from 0 to 50"},
      {{"p.jpg", "-o", "x", "--background", "0,,0"}, "not '0,,0'"},
      {{"p.jpg", "-o", "x", "--dither", "fast"},
       "--dither wants one of nearest, floyd, stucki, sierra, jajuni, burkes"},
      {{"p.jpg", "-o", "x", "--flip", "x"}, "--flip wants one of h, v, hv"},
      {{"p.jpg", "-o", "x", "--scale"}, "--scale needs a value"},
      {{"p.jpg", "--scale", "3"}, "missing -o OUT"},
      {{"-o", "x"}, "no picture given"},
      {{"p.jpg", "-o", "x", "--preview", "--rgb"}, "give one of them"},
      {{"p.jpg", "-o", "x", "-j", "0"}, "-j wants a whole number from 1 to 64, not '0'"},
      {{"p.jpg", "-o", "x", "-j65"}, "not '65'"},
      {{"p.jpg", "-o", "x", "-j"}, "-j needs a value"},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(row.Args));
    try {
      ParseCliOptions(row.Args);
      ADD_FAILURE() << "accepted";
    } catch (const ECliUsage& e) {
      EXPECT_NE(std::string(e.what()).find(row.Reason), std::string::npos) << e.what();
      EXPECT_EQ(std::string(e.what()).find('\n'), std::string::npos);
    }
  }
}

TEST(CliOptions, JobsCountComesAloneOrAttached) {
  EXPECT_EQ(ParseCliOptions({"p.jpg", "-o", "x"}).Jobs, 0);
  EXPECT_EQ(ParseCliOptions({"p.jpg", "-j", "3", "-o", "x"}).Jobs, 3);
  EXPECT_EQ(ParseCliOptions({"p.jpg", "-j1", "-o", "x"}).Jobs, 1);
}

TEST(CliOptions, HelpWinsOverEverythingElse) {
  EXPECT_TRUE(ParseCliOptions({"--bogus", "--help"}).Help);
  EXPECT_TRUE(ParseCliOptions({"-h"}).Help);
}

TEST(CliOptions, RangesAreThoseOfTheWindowsControls) {
  const TScratchFolder scratch;
  TCliSession session("");
  for (const TRangeOption& option : RangeOptions())
    for (const char* name : option.Controls) {
      SCOPED_TRACE(name);
      TControl* control = session.Form().FindControl(name);
      ASSERT_NE(control, nullptr);
      ASSERT_TRUE(control->Kind() == ckGaugeBar || control->Kind() == ckScrollBar);
      const auto& range = static_cast<const TRangeControl&>(*control);
      EXPECT_EQ(range.Min(), option.Min);
      EXPECT_EQ(range.Max(), option.Max);
    }
}

TEST(CliOptions, WordsMoveTheControlsTheyName) {
  const TScratchFolder scratch;
  TCliSession session("");
  TForm1& form = session.Form();
  for (const TControlStep& step :
       ParseCliOptions({"p.jpg", "-o", "x", "--resize", "blocky", "--flip", "hv", "--dither", "burkes"}).Steps)
    session.Apply(step);
  EXPECT_EQ(form.rgStretchFilter.ItemIndex(), 0);
  EXPECT_EQ(form.Image1.Bitmap().StretchFilter(), sfNearest);
  EXPECT_EQ(form.DitherModeSelector.ItemIndex(), 5);
  EXPECT_TRUE(form.FlipHorizontal.Checked());
  EXPECT_TRUE(form.FlipVertical.Checked());
  // Checking a checked box again leaves it checked.
  session.Apply(Check("FlipVertical"));
  EXPECT_TRUE(form.FlipVertical.Checked());
}

}  // namespace
}  // namespace quill
