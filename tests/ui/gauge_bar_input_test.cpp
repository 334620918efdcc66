// The slider's press, drag and auto-repeat, driven as the peer drives them.
#include <gtest/gtest.h>

#include <vector>

#include "quill/ui/GaugeBar.h"

namespace quill {
namespace {

// 120 x 16, handle 16, range 0..100: arrows 0..15 and 104..119, the handle's
// leading edge travels 16..88, at position 50 the handle covers 52..67.
void Place(TGaugeBar& bar, int position) {
  bar.SetBounds(0, 0, 120, 16);
  bar.SetRange(0, 100);
  bar.SetPosition(position);
}

struct TPressCase {
  const char* what;
  int start;
  int x;
  TGaugePart held;
  std::vector<int> positions;  // after the press, then after each tick that moved
};

class GaugeBarPress : public ::testing::TestWithParam<TPressCase> {};

TEST_P(GaugeBarPress, StepsAtOnceAndRepeatsUntilNothingMoves) {
  const TPressCase& c = GetParam();
  TGaugeBar bar("bar");
  Place(bar, c.start);
  int changes = 0;
  bar.OnChange = [&] { ++changes; };
  EXPECT_EQ(bar.MouseDown(c.x, 8), c.held) << c.what;
  std::vector<int> seen{bar.Position()};
  for (int tick = 0; tick < 20 && bar.RepeatTick(); ++tick) seen.push_back(bar.Position());
  EXPECT_EQ(seen, c.positions) << c.what;
  EXPECT_EQ(changes, int(c.positions.size()) - (c.positions.front() == c.start ? 1 : 0)) << c.what;
  EXPECT_TRUE(bar.MouseUp());
  EXPECT_FALSE(bar.RepeatTick()) << "released: " << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, GaugeBarPress,
    ::testing::Values(TPressCase{"decrease arrow runs to Min", 3, 3, gpDecrease, {2, 1, 0}},
                      TPressCase{"increase arrow runs to Max", 98, 117, gpIncrease, {99, 100}},
                      TPressCase{"arrow at its end moves nothing", 0, 3, gpDecrease, {0}},
                      // Paging stops once the handle has reached the mouse.
                      TPressCase{"track after the handle", 50, 100, gpTrackAfter, {60, 70, 80, 90, 100}},
                      TPressCase{"track before the handle", 50, 20, gpTrackBefore, {40, 30, 20, 10, 0}},
                      TPressCase{"handle press moves nothing", 50, 60, gpHandle, {50}}));

TEST(GaugeBarInput, DraggedHandleFollowsTheMouseFromItsGrabPoint) {
  TGaugeBar bar("bar");
  Place(bar, 50);
  int changes = 0;
  bar.OnChange = [&] { ++changes; };
  ASSERT_EQ(bar.MouseDown(60, 8), gpHandle);  // 8 pixels into the handle
  bar.MouseMove(61, 8);                       // leading edge 53: 51.9, truncated
  EXPECT_EQ(bar.Position(), 51);
  bar.MouseMove(500, 8);
  EXPECT_EQ(bar.Position(), 100);
  bar.MouseMove(-500, 3);
  EXPECT_EQ(bar.Position(), 0);
  bar.MouseMove(60, 30);  // off the bar across its axis: only the axis counts
  EXPECT_EQ(bar.Position(), 50);
  EXPECT_EQ(changes, 4);
  EXPECT_TRUE(bar.MouseUp());
  bar.MouseMove(500, 8);
  EXPECT_EQ(bar.Position(), 50) << "a move after the release drags nothing";
  EXPECT_FALSE(bar.MouseUp());
}

TEST(GaugeBarInput, VerticalBarDragsAlongItsHeight) {
  TGaugeBar bar("bar");
  bar.SetScrollKind(sbVertical);
  bar.SetBounds(0, 0, 16, 120);
  bar.SetRange(0, 100);
  ASSERT_EQ(bar.MouseDown(8, 20), gpHandle);
  bar.MouseMove(8, 500);
  EXPECT_EQ(bar.Position(), 100);
}

TEST(GaugeBarInput, DisabledOrHiddenBarTakesNoPress) {
  for (const bool disable : {true, false}) {
    TGaugeBar bar("bar");
    Place(bar, 50);
    if (disable) bar.SetEnabled(false);
    else bar.SetVisible(false);
    EXPECT_EQ(bar.MouseDown(3, 8), gpNone);
    EXPECT_EQ(bar.Position(), 50);
    EXPECT_FALSE(bar.RepeatTick());
  }
}

}  // namespace
}  // namespace quill
