#include <gtest/gtest.h>

#include <stdexcept>

#include "RecordingPeer.h"
#include "quill/ui/EventDispatch.h"
#include "quill/ui/GaugeBar.h"
#include "quill/ui/ScrollBar.h"

namespace quill {
namespace {

struct TPositionCase {
  int min, max, start, set;
  int expected;
  int changes;
};

class GaugeBarPosition : public ::testing::TestWithParam<TPositionCase> {};

TEST_P(GaugeBarPosition, ClampsAndFiresOnlyOnRealChange) {
  const TPositionCase& c = GetParam();
  TGaugeBar bar("bar");
  bar.SetRange(c.min, c.max);
  bar.SetPosition(c.start);
  int changes = 0;
  int seen = -1;
  bar.OnChange = [&] {
    ++changes;
    seen = bar.Position();
  };
  bar.SetPosition(c.set);
  EXPECT_EQ(bar.Position(), c.expected);
  EXPECT_EQ(changes, c.changes);
  if (c.changes) {
    EXPECT_EQ(seen, c.expected) << "the handler sees the new position";
  }
}

INSTANTIATE_TEST_SUITE_P(Table, GaugeBarPosition,
                         ::testing::Values(TPositionCase{0, 1000, 500, 250, 250, 1},  // a real move
                                           TPositionCase{0, 1000, 500, 500, 500, 0},  // same value: silent
                                           TPositionCase{0, 50, 50, 51, 50, 0},       // clamped onto the same value
                                           TPositionCase{0, 50, 10, 99, 50, 1},       // clamped to Max
                                           TPositionCase{0, 256, 128, -5, 0, 1},      // clamped to Min
                                           TPositionCase{0, 256, 0, -1, 0, 0},        // below Min at Min: silent
                                           TPositionCase{10, 20, 10, 15, 15, 1},      // non-zero Min
                                           TPositionCase{0, 0, 0, 7, 0, 0}));         // one-value range

TEST(GaugeBar, StartsAtMinWithDefaultRange) {
  TGaugeBar bar("bar");
  EXPECT_EQ(bar.Min(), 0);
  EXPECT_EQ(bar.Max(), 100);
  EXPECT_EQ(bar.Position(), 0);
}

TEST(GaugeBar, ShrinkingTheRangePullsThePositionInAndFires) {
  TGaugeBar bar("bar");
  bar.SetRange(0, 1000);
  bar.SetPosition(900);
  int changes = 0;
  bar.OnChange = [&] { ++changes; };
  bar.SetMax(500);
  EXPECT_EQ(bar.Position(), 500);
  EXPECT_EQ(changes, 1);
  bar.SetMax(800);  // position already inside
  EXPECT_EQ(bar.Position(), 500);
  EXPECT_EQ(changes, 1);
}

TEST(GaugeBar, InvertedRangeCollapsesToMin) {
  TGaugeBar bar("bar");
  bar.SetRange(10, 5);
  EXPECT_EQ(bar.Min(), 10);
  EXPECT_EQ(bar.Max(), 10);
  EXPECT_EQ(bar.Position(), 10);
}

TEST(GaugeBar, PositionStaysWhenTheHandlerFails) {
  ClearUnreportedErrors();
  TGaugeBar bar("bar");
  bar.OnChange = [] { throw std::runtime_error("boom"); };
  bar.SetPosition(40);
  EXPECT_EQ(bar.Position(), 40);
  ASSERT_EQ(UnreportedErrors().size(), 1u);
  EXPECT_EQ(UnreportedErrors()[0], "boom");
  ClearUnreportedErrors();
}

TEST(GaugeBar, TellsThePeerAboutPositionChangesOnly) {
  testing::TRecordingPeer peer;
  TGaugeBar bar("bar");
  bar.SetPeer(&peer);
  bar.SetPosition(3);
  bar.SetPosition(3);
  EXPECT_EQ(peer.state, 1);
  bar.SetHandleSize(10);
  EXPECT_EQ(bar.HandleSize(), 10);
  EXPECT_EQ(peer.state, 2);
}

struct TScrollCase {
  int start;
  int lines;
  int pages;
  int expected;
  int changes;
};

class ScrollBarSteps : public ::testing::TestWithParam<TScrollCase> {};

TEST_P(ScrollBarSteps, MoveBySmallAndLargeChangeWithinRange) {
  const TScrollCase& c = GetParam();
  TScrollBar bar("bar");
  bar.SetRange(0, 1000);
  bar.SetSmallChange(1);
  bar.SetLargeChange(100);
  bar.SetPosition(c.start);
  int changes = 0;
  bar.OnChange = [&] { ++changes; };
  bar.ScrollLines(c.lines);
  bar.ScrollPages(c.pages);
  EXPECT_EQ(bar.Position(), c.expected);
  EXPECT_EQ(changes, c.changes);
}

INSTANTIATE_TEST_SUITE_P(Table, ScrollBarSteps,
                         ::testing::Values(TScrollCase{0, 1, 0, 1, 1},       // arrow
                                           TScrollCase{0, 0, 1, 100, 1},     // track
                                           TScrollCase{950, 0, 1, 1000, 1},  // stops at Max
                                           TScrollCase{0, -1, 0, 0, 0},      // at Min already
                                           TScrollCase{500, 3, -2, 303, 2},
                                           // far past the end without wrapping around
                                           TScrollCase{1000, 0, 30000000, 1000, 0},
                                           TScrollCase{0, 0, -30000000, 0, 0}));

TEST(ScrollBar, KeepsItsKind) {
  TScrollBar bar("bar");
  EXPECT_EQ(bar.ScrollKind(), sbHorizontal);
  bar.SetScrollKind(sbVertical);
  EXPECT_EQ(bar.ScrollKind(), sbVertical);
  EXPECT_EQ(bar.Kind(), ckScrollBar);
}

TEST(ScrollBar, UserStepsDoNothingWhenDisabled) {
  TScrollBar bar("bar");
  bar.SetEnabled(false);
  bar.ScrollLines(5);
  EXPECT_EQ(bar.Position(), 0);
  bar.SetPosition(5);  // the program still can
  EXPECT_EQ(bar.Position(), 5);
}

}  // namespace
}  // namespace quill
