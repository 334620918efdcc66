#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quill/shell/GlyphCanvas.h"

namespace quill {
namespace {

constexpr TColor32 kInk = MakeColour32(0, 0, 0);
constexpr TColor32 kOther = MakeColour32(255, 255, 255);

// The bitmap as rows of characters: '.' clear, '#' ink, 'o' the other colour.
std::vector<std::string> Rows(const TBitmap32& bitmap) {
  std::vector<std::string> rows;
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::string row;
    for (int x = 0; x < bitmap.Width(); ++x) {
      const TColor32 c = bitmap.GetPixelUnchecked(x, y);
      row += c == 0 ? '.' : c == kInk ? '#' : c == kOther ? 'o' : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

using TRows = std::vector<std::string>;

TEST(GlyphCanvas, StartsClearAtItsSize) {
  TBitmap32 bitmap;
  bitmap.ChangeSize(2, 2);
  bitmap.FillAll(kInk);
  { TGlyphCanvas canvas(bitmap, 3, 2); }
  EXPECT_EQ(Rows(bitmap), (TRows{"...", "..."}));
}

TEST(GlyphCanvas, SignalsOnceWhenFinished) {
  TBitmap32 bitmap;
  int changes = 0;
  bitmap.OnChange = [&] { ++changes; };
  {
    TGlyphCanvas canvas(bitmap, 3, 3);
    canvas.Fill(0, 0, 2, 2, kInk);
    canvas.Line(0, 0, 2, 2, kInk);
    EXPECT_EQ(changes, 0);
  }
  EXPECT_EQ(changes, 1);
}

TEST(GlyphCanvas, FillIsHalfOpenAndClipped) {
  TBitmap32 bitmap;
  {
    TGlyphCanvas canvas(bitmap, 4, 3);
    canvas.Fill(1, 1, 3, 2, kInk);
    canvas.Fill(-5, -5, 1, 1, kOther);
    canvas.Fill(3, 2, 9, 9, kOther);
  }
  EXPECT_EQ(Rows(bitmap), (TRows{"o...", ".##.", "...o"}));
}

TEST(GlyphCanvas, FrameOutlinesTheRectangle) {
  TBitmap32 bitmap;
  {
    TGlyphCanvas canvas(bitmap, 5, 4);
    canvas.Frame(0, 0, 4, 4, kInk);
  }
  EXPECT_EQ(Rows(bitmap), (TRows{"####.", "#..#.", "#..#.", "####."}));
}

TEST(GlyphCanvas, DashedFrameAlternatesAroundTheRectangle) {
  TBitmap32 bitmap;
  {
    TGlyphCanvas canvas(bitmap, 4, 4);
    canvas.DashedFrame(0, 0, 4, 4, 2, kInk, kOther);
  }
  // Clockwise from the top-left, two on and two off: top ##o, right o##,
  // bottom (right to left) oo#, left (upward) #oo.
  EXPECT_EQ(Rows(bitmap), (TRows{"##oo", "o..#", "o..#", "##oo"}));
}

TEST(GlyphCanvas, LinesIncludeBothEnds) {
  TBitmap32 bitmap;
  {
    TGlyphCanvas canvas(bitmap, 5, 3);
    canvas.Line(0, 0, 4, 2, kInk);
    canvas.Line(4, 0, 4, 0, kOther);
  }
  EXPECT_EQ(Rows(bitmap), (TRows{"#...o", ".##..", "...##"}));
}

TEST(GlyphCanvas, DiscOnAPixelCentre) {
  TBitmap32 bitmap;
  {
    TGlyphCanvas canvas(bitmap, 5, 5);
    // Centre (2.5, 2.5) in pixel corners: pixel 2's centre; radius 2 pixels.
    canvas.Disc(5, 5, 4, kInk);
  }
  EXPECT_EQ(Rows(bitmap), (TRows{"..#..", ".###.", "#####", ".###.", "..#.."}));
}

TEST(GlyphCanvas, RingLeavesItsInsideAlone) {
  TBitmap32 bitmap;
  {
    TGlyphCanvas canvas(bitmap, 4, 4);
    canvas.Fill(0, 0, 4, 4, kOther);
    // Centred on the corner between the four middle pixels.
    canvas.Ring(4, 4, 4, 2, kInk);
  }
  EXPECT_EQ(Rows(bitmap), (TRows{"o##o", "#oo#", "#oo#", "o##o"}));
}

TEST(GlyphCanvas, TriangleCoversItsCornersAndEdges) {
  TBitmap32 bitmap;
  {
    TGlyphCanvas canvas(bitmap, 5, 3);
    canvas.Triangle(0, 0, 4, 0, 2, 2, kInk);
  }
  EXPECT_EQ(Rows(bitmap), (TRows{"#####", ".###.", "..#.."}));
}

TEST(GlyphCanvas, TriangleGivenClockwiseOrNotIsTheSame) {
  TBitmap32 a, b;
  {
    TGlyphCanvas canvas(a, 6, 6);
    canvas.Triangle(0, 0, 5, 2, 1, 5, kInk);
  }
  {
    TGlyphCanvas canvas(b, 6, 6);
    canvas.Triangle(0, 0, 1, 5, 5, 2, kInk);
  }
  EXPECT_EQ(Rows(a), Rows(b));
}

TEST(GlyphCanvas, ShapesReachingOutsideAreClipped) {
  TBitmap32 bitmap;
  {
    TGlyphCanvas canvas(bitmap, 3, 3);
    canvas.Line(-3, 1, 5, 1, kInk);
    canvas.Triangle(-2, 2, 4, 2, 1, 8, kOther);
    canvas.Disc(-10, -10, 3, kInk);
    canvas.Pixel(3, 0, kInk);
    canvas.Pixel(0, -1, kInk);
  }
  EXPECT_EQ(Rows(bitmap), (TRows{"...", "###", "ooo"}));
}

}  // namespace
}  // namespace quill
