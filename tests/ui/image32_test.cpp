#include <gtest/gtest.h>

#include "RecordingPeer.h"
#include "quill/ui/Form.h"
#include "quill/ui/Image32.h"
#include "quill/ui/Panel.h"

namespace quill {
namespace {

struct TRectCase {
  const char* what;
  int controlW, controlH;
  int bitmapW, bitmapH;
  TScaleMode mode;
  TBitmapAlign align;
  float scale;
  TRect expected;
};

class Image32BitmapRect : public ::testing::TestWithParam<TRectCase> {};

TEST_P(Image32BitmapRect, FollowsScaleModeAndAlignment) {
  const TRectCase& c = GetParam();
  TImage32 view("view");
  view.SetBounds(0, 0, c.controlW, c.controlH);
  view.Bitmap().ChangeSize(c.bitmapW, c.bitmapH);
  view.SetScaleMode(c.mode);
  view.SetBitmapAlign(c.align);
  view.SetScale(c.scale);
  EXPECT_EQ(view.BitmapRect(), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Image32BitmapRect,
    ::testing::Values(TRectCase{"normal top-left", 310, 310, 400, 300, smNormal, baTopLeft, 1.0f, {0, 0, 400, 300}},
                      TRectCase{"normal ignores scale", 310, 310, 40, 30, smNormal, baTopLeft, 3.0f, {0, 0, 40, 30}},
                      TRectCase{"stretch fills control", 100, 50, 7, 9, smStretch, baTopLeft, 1.0f, {0, 0, 100, 50}},
                      TRectCase{"scale 2", 310, 310, 10, 7, smScale, baTopLeft, 2.0f, {0, 0, 20, 14}},
                      // 5 x 0.5 = 2.5 and 7 x 0.5 = 3.5: halves go to even.
                      TRectCase{"scale rounds half to even", 310, 310, 5, 7, smScale, baTopLeft, 0.5f, {0, 0, 2, 4}},
                      TRectCase{"resize wide", 100, 100, 200, 50, smResize, baTopLeft, 1.0f, {0, 0, 100, 25}},
                      TRectCase{"resize tall", 100, 60, 30, 60, smResize, baTopLeft, 1.0f, {0, 0, 30, 60}},
                      TRectCase{"resize grows", 100, 60, 10, 10, smResize, baTopLeft, 1.0f, {0, 0, 60, 60}},
                      TRectCase{"center", 100, 50, 41, 13, smNormal, baCenter, 1.0f, {29, 18, 70, 31}},
                      // (10 - 41) / 2 = -15.5, truncated toward zero to -15.
                      TRectCase{"center larger bitmap", 10, 10, 41, 41, smNormal, baCenter, 1.0f, {-15, -15, 26, 26}},
                      TRectCase{"tile first tile", 100, 100, 8, 8, smNormal, baTile, 1.0f, {0, 0, 8, 8}},
                      TRectCase{"empty bitmap", 100, 100, 0, 5, smStretch, baCenter, 1.0f, {0, 0, 0, 0}}));

TEST(Image32, CustomAlignmentUsesTheRoundedOffset) {
  TImage32 view("view");
  view.SetBounds(0, 0, 50, 50);
  view.Bitmap().ChangeSize(4, 4);
  view.SetBitmapAlign(baCustom);
  view.SetOffset(2.5f, 3.5f);
  EXPECT_EQ(view.BitmapRect(), (TRect{2, 4, 6, 8}));
}

struct TScaleCase {
  float set;
  float stored;
};

class Image32Scale : public ::testing::TestWithParam<TScaleCase> {};

TEST_P(Image32Scale, ClampsBelowTheMinimum) {
  TImage32 view("view");
  view.SetScale(GetParam().set);
  EXPECT_FLOAT_EQ(view.Scale(), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(Table, Image32Scale,
                         ::testing::Values(TScaleCase{0.0f, 0.001f}, TScaleCase{-3.0f, 0.001f},
                                           TScaleCase{0.0005f, 0.001f}, TScaleCase{0.001f, 0.001f},
                                           TScaleCase{2.5f, 2.5f}));

TEST(Image32, ScaleChangeRepaintsOnlyWhenDifferent) {
  testing::TRecordingPeer peer;
  TImage32 view("view");
  view.SetPeer(&peer);
  view.SetScale(1.0f);
  EXPECT_EQ(peer.invalidate, 0);
  view.SetScale(2.0f);
  EXPECT_EQ(peer.invalidate, 1);
  view.SetScaleMode(smScale);
  EXPECT_EQ(peer.invalidate, 2);
  view.SetScaleMode(smScale);
  EXPECT_EQ(peer.invalidate, 2);
}

TEST(Image32, BitmapChangeRepaintsTheView) {
  testing::TRecordingPeer peer;
  TImage32 view("view");
  view.SetPeer(&peer);
  view.Bitmap().ChangeSize(3, 3);
  EXPECT_EQ(peer.invalidate, 1);
  view.Bitmap().FillAll(0xFF112233u);
  EXPECT_EQ(peer.invalidate, 2);
  view.Bitmap().BeginUpdate();
  view.Bitmap().FillAll(0xFF000000u);
  EXPECT_EQ(peer.invalidate, 2) << "no repaint inside an update";
  view.Bitmap().EndUpdate();
}

TEST(Image32, FitBitmapToControlSizesWithoutClearing) {
  TImage32 view("view");
  view.SetBounds(6, 26, 41, 13);
  view.FitBitmapToControl(false, 0xFFFFFFFFu);
  EXPECT_EQ(view.Bitmap().Width(), 41);
  EXPECT_EQ(view.Bitmap().Height(), 13);
  EXPECT_EQ(view.Bitmap().GetPixelUnchecked(40, 12), 0u) << "new pixels stay 0";
}

TEST(Image32, FitBitmapToControlWithClearFills) {
  TImage32 view("view");
  view.SetBounds(0, 0, 5, 4);
  view.FitBitmapToControl(true, 0xFF808080u);
  EXPECT_EQ(view.Bitmap().GetPixelUnchecked(0, 0), 0xFF808080u);
  EXPECT_EQ(view.Bitmap().GetPixelUnchecked(4, 3), 0xFF808080u);
}

TEST(Image32, FitBitmapToControlKeepsPixelsWhenTheSizeAlreadyFits) {
  TImage32 view("view");
  view.SetBounds(0, 0, 2, 2);
  view.Bitmap().ChangeSize(2, 2);
  view.Bitmap().FillAll(0xFF0000FFu);
  view.FitBitmapToControl(false, 0);
  EXPECT_EQ(view.Bitmap().GetPixelUnchecked(1, 1), 0xFF0000FFu);
}

TEST(Image32, MouseEventsCarryButtonShiftAndPosition) {
  TImage32 view("view");
  TMouseButton button = mbLeft;
  TShiftState shift = 0;
  int x = -1, y = -1, moves = 0, ups = 0;
  view.OnMouseDown = [&](TMouseButton b, TShiftState s, int px, int py) {
    button = b;
    shift = s;
    x = px;
    y = py;
  };
  view.OnMouseMove = [&](TShiftState, int, int) { ++moves; };
  view.OnMouseUp = [&](TMouseButton, TShiftState, int, int) { ++ups; };
  view.MouseDown(mbRight, ssRight | ssShift, 12, 34);
  view.MouseMove(ssRight, 13, 34);
  view.MouseUp(mbRight, ssShift, 13, 34);
  EXPECT_EQ(button, mbRight);
  EXPECT_EQ(shift, ssRight | ssShift);
  EXPECT_EQ(x, 12);
  EXPECT_EQ(y, 34);
  EXPECT_EQ(moves, 1);
  EXPECT_EQ(ups, 1);
}

TEST(Image32, HiddenViewIgnoresTheMouse) {
  TImage32 view("view");
  int downs = 0;
  view.OnMouseDown = [&](TMouseButton, TShiftState, int, int) { ++downs; };
  view.SetVisible(false);
  view.MouseDown(mbLeft, ssLeft, 1, 1);
  EXPECT_EQ(downs, 0);
}

TEST(Image32, FocusRectanglesInvertOnScreenAndGoWithTheNextRepaint) {
  TImage32 view("view");
  view.SetBounds(0, 0, 20, 20);
  view.FitBitmapToControl(true, kOpaqueBlack);
  const TRect a{1, 2, 9, 9}, b{3, 3, 6, 6};
  view.DrawFocusRect(a);
  view.DrawFocusRect(b);
  view.DrawFocusRect(a);  // a second inversion takes it off again
  EXPECT_EQ(view.FocusRects(), (std::vector<TRect>{b}));
  EXPECT_EQ(view.Bitmap().GetPixelUnchecked(3, 3), kOpaqueBlack) << "never into the bitmap";
  view.Bitmap().FillBlock(0, 0, 1, 1, kOpaqueBlack);
  EXPECT_TRUE(view.FocusRects().empty());
}

TEST(Image32, ScreenPositionsMapThroughTheAncestorsWithoutAPeer) {
  TForm form("form");
  TPanel page("page");
  TImage32 view("view");
  form.SetBounds(100, 50, 600, 400);
  page.SetParent(&form);
  page.SetBounds(-640, 26, 628, 410);
  view.SetParent(&page);
  view.SetBounds(4, 6, 40, 40);
  EXPECT_EQ(view.ClientToScreen({1, 2}), (TPoint{100 - 640 + 4 + 1, 50 + 26 + 6 + 2}));
  EXPECT_EQ(view.ScreenToClient({100 + 4 + 7, 50 + 26 + 6 + 9}), (TPoint{7 + 640, 9}));
}

}  // namespace
}  // namespace quill
