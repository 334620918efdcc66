// Where the drawn slider's parts lie and which position a drag gives.
#include <gtest/gtest.h>

#include "quill/ui/GaugeBarGeometry.h"

namespace quill {
namespace {

TEST(GaugeBarGeometry, HorizontalBarHasSquareArrowsAndAHandleTravellingBetweenThem) {
  const TGaugeGeometry geometry(120, 16, false, 16, 0, 100);
  const TGaugeLayout atMin = geometry.Layout(0);
  EXPECT_EQ(atMin.DecreaseArrow, (TRect{0, 0, 16, 16}));
  EXPECT_EQ(atMin.IncreaseArrow, (TRect{104, 0, 120, 16}));
  EXPECT_EQ(atMin.Track, (TRect{16, 0, 104, 16}));
  EXPECT_EQ(atMin.Handle, (TRect{16, 0, 32, 16}));
  EXPECT_EQ(geometry.Layout(100).Handle, (TRect{88, 0, 104, 16}));
  EXPECT_EQ(geometry.Layout(50).Handle, (TRect{52, 0, 68, 16}));
}

TEST(GaugeBarGeometry, VerticalBarRunsFromTopToBottom) {
  const TGaugeGeometry geometry(16, 120, true, 16, 0, 10);
  const TGaugeLayout layout = geometry.Layout(10);
  EXPECT_EQ(layout.DecreaseArrow, (TRect{0, 0, 16, 16}));
  EXPECT_EQ(layout.Handle, (TRect{0, 88, 16, 104}));
}

TEST(GaugeBarGeometry, ShortBarLeavesTheArrowsOut) {
  const TGaugeGeometry geometry(40, 16, false, 16, 0, 100);
  const TGaugeLayout layout = geometry.Layout(0);
  EXPECT_EQ(layout.DecreaseArrow.Width(), 0);
  EXPECT_EQ(layout.Track, (TRect{0, 0, 40, 16}));
}

TEST(GaugeBarGeometry, HitTestNamesThePartUnderTheMouse) {
  const TGaugeGeometry geometry(120, 16, false, 16, 0, 100);
  struct TCase {
    int X;
    TGaugePart Part;
  };
  const TCase cases[] = {{0, gpDecrease},   {15, gpDecrease},  {16, gpTrackBefore}, {51, gpTrackBefore},
                         {52, gpHandle},    {67, gpHandle},    {68, gpTrackAfter},  {103, gpTrackAfter},
                         {104, gpIncrease}, {119, gpIncrease}, {120, gpNone},       {-1, gpNone}};
  for (const TCase& c : cases) EXPECT_EQ(geometry.HitTest(50, c.X, 8), c.Part) << "x = " << c.X;
}

TEST(GaugeBarGeometry, DraggedHandleGivesTheNearestPositionInsideTheRange) {
  // Track 16..104, handle 16: the handle's leading edge travels 72 pixels
  // for a range of 0..255.
  const TGaugeGeometry geometry(120, 16, false, 16, 0, 255);
  struct TCase {
    int Offset;
    int Position;
  };
  const TCase cases[] = {{-50, 0}, {16, 0}, {17, 4}, {52, 128}, {87, 251}, {88, 255}, {400, 255}};
  for (const TCase& c : cases) EXPECT_EQ(geometry.PositionFromHandleStart(c.Offset), c.Position) << c.Offset;
  // A handle dragged to a pixel is drawn on that pixel.
  for (int offset = 16; offset <= 88; ++offset)
    EXPECT_EQ(geometry.HandleStart(geometry.PositionFromHandleStart(offset)), offset) << offset;
}

TEST(GaugeBarGeometry, EmptyRangeKeepsTheHandleAtTheStart) {
  const TGaugeGeometry geometry(120, 16, false, 16, 5, 5);
  EXPECT_EQ(geometry.HandleStart(5), 16);
  EXPECT_EQ(geometry.PositionFromHandleStart(80), 5);
  EXPECT_EQ(geometry.PageStep(), 1);
}

TEST(GaugeBarGeometry, PageStepIsATenthOfTheRange) {
  EXPECT_EQ(TGaugeGeometry(120, 16, false, 16, 0, 256).PageStep(), 25);
  EXPECT_EQ(TGaugeGeometry(120, 16, false, 16, 0, 50).PageStep(), 5);
  EXPECT_EQ(TGaugeGeometry(120, 16, false, 16, 0, 9).PageStep(), 1);
}

}  // namespace
}  // namespace quill
