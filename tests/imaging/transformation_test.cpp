#include "quill/imaging/Transformation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/CombineColors.h"
#include "quill/imaging/Rounding.h"

namespace quill {
namespace {

constexpr TColor32 kSentinel = 0xFF123456u;

TColor32 Blue(std::uint8_t b) { return MakeColour32(0, 0, b); }

// A bitmap whose blue channel holds the given rows; alpha 255, red and green 0.
void MakeBlueBitmap(TBitmap32& b, std::initializer_list<std::initializer_list<int>> rows) {
  b.ChangeSize(int(rows.begin()->size()), int(rows.size()));
  int y = 0;
  for (const auto& row : rows) {
    int x = 0;
    for (int v : row) b.SetPixelUnchecked(x++, y, Blue(std::uint8_t(v)));
    ++y;
  }
}

void Scale(TAffineTransformation& t, const TBitmap32& src, float s) {
  t.SetSourceRect(TFloatRect{0, 0, float(src.Width() - 1), float(src.Height() - 1)});
  t.Clear();
  t.ApplyScale(s, s);
}

// --- rounding ---------------------------------------------------------------

struct RoundCase {
  float value;
  std::int32_t expected;
};

TEST(RoundHalfEven, RoundsHalvesToTheEvenNeighbour) {
  const RoundCase cases[] = {
      {198.5f, 198}, {99.5f, 100},     {0.5f, 0},          {1.5f, 2},          {2.5f, 2},
      {-0.5f, 0},    {-1.5f, -2},      {-2.5f, -2},        {-99.5f, -100},     {3.7f, 4},
      {-3.7f, -4},   {0.49999997f, 0}, {-0.50000006f, -1}, {1e10f, INT32_MAX}, {-1e10f, INT32_MIN},
  };
  for (const RoundCase& c : cases) EXPECT_EQ(RoundHalfEven(c.value), c.expected) << c.value;
}

TEST(RoundHalfEven, NotANumberGivesZero) { EXPECT_EQ(RoundHalfEven(std::numeric_limits<float>::quiet_NaN()), 0); }

struct MulDivCase {
  std::int32_t a, b, c, expected;
};

TEST(MulDiv, RoundsMagnitudesHalfAwayFromZeroAndFailsWithMinusOne) {
  const MulDivCase cases[] = {
      {10, 3, 4, 8},
      {-10, 3, 4, -8},
      {10, -3, 4, -8},
      {-10, -3, -4, -8},
      {5, 1, 2, 3},
      {-5, 1, 2, -3},
      {1, 1, 3, 0},
      {2, 1, 3, 1},
      {7, 1, 0, -1},
      {0, 5, 0, -1},
      {INT32_MAX, INT32_MAX, 1, -1},
      {65535 * 3, 65535, 65535, 65535 * 3},
      {1 << 20, 1 << 20, 1 << 10, 1 << 30},
      {1 << 16, 1 << 15, -1, INT32_MIN},
  };
  for (const MulDivCase& c : cases) EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << " " << c.b << " " << c.c;
}

// --- CombineColors ------------------------------------------------------------

struct CombineCase {
  TColor32 x, y;
  std::uint32_t w;
  TColor32 expected;
};

TEST(CombineColors, MixesEveryChannelWithEightBitWeights) {
  const CombineCase cases[] = {
      {0xFFFFFFFFu, 0x00000000u, 0, 0x00000000u},  // W = 0 gives Y exactly
      {0x12345678u, 0x9ABCDEF0u, 0, 0x9ABCDEF0u},
      {0xFF000000u, 0x00000000u, 255, 0xFE000000u},  // W = 255 is not always X
      {0x00000000u, 0xFFFFFFFFu, 255, 0x01010101u},
      {0xFFFFFFFFu, 0xFFFFFFFFu, 255, 0xFFFFFFFFu},
      {0x000000FFu, 0x00000000u, 128, 0x00000080u},
      {0x10203040u, 0x50607080u, 64, 0x40506070u},
  };
  for (const CombineCase& c : cases) EXPECT_EQ(CombineColors(c.x, c.y, c.w), c.expected) << std::hex << c.x;
}

TEST(CombineColors, EqualsTheChannelByChannelFormula) {
  std::uint32_t state = 12345;
  const auto next = [&state] { return state = state * 1664525u + 1013904223u; };
  for (int n = 0; n < 20000; ++n) {
    const TColor32 x = next(), y = next();
    const std::uint32_t w = next() >> 24;
    TColor32 expected = 0;
    for (int shift = 0; shift < 32; shift += 8) {
      const std::uint32_t cx = (x >> shift) & 0xFF, cy = (y >> shift) & 0xFF;
      expected |= ((cx * w + cy * (256 - w) + 128) >> 8) << shift;
    }
    ASSERT_EQ(CombineColors(x, y, w), expected);
  }
}

// --- TAffineTransformation ----------------------------------------------------------

TEST(AffineTransformation, StartsAsIdentityWithoutInverse) {
  TAffineTransformation t;
  EXPECT_FALSE(t.InverseReady());
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) EXPECT_EQ(t.Matrix()[i][j], i == j ? 1.0f : 0.0f);
}

TEST(AffineTransformation, EveryChangeClearsInverseReady) {
  TAffineTransformation t;
  const auto prepared = [&t] {
    t.PrepareInverse();
    return t.InverseReady();
  };
  ASSERT_TRUE(prepared());
  t.SetSourceRect(TFloatRect{0, 0, 5, 5});
  EXPECT_FALSE(t.InverseReady());
  ASSERT_TRUE(prepared());
  t.ApplyScale(2, 2);
  EXPECT_FALSE(t.InverseReady());
  ASSERT_TRUE(prepared());
  t.Clear();
  EXPECT_FALSE(t.InverseReady());
}

TEST(AffineTransformation, ApplyScaleMultipliesOnTheRight) {
  TAffineTransformation t;
  const TAffineTransformation::TMatrix m = {{1, 0, 0}, {0, 1, 0}, {10, 20, 1}};
  t.SetMatrix(m);
  t.ApplyScale(2, 3);
  t.ApplyScale(0.5f, 2);
  // The translation row is scaled too: the scale applies after the matrix.
  EXPECT_EQ(t.Matrix()[0][0], 1.0f);
  EXPECT_EQ(t.Matrix()[1][1], 6.0f);
  EXPECT_EQ(t.Matrix()[2][0], 10.0f);
  EXPECT_EQ(t.Matrix()[2][1], 120.0f);
}

struct InverseCase {
  const char* name;
  TAffineTransformation::TMatrix matrix;
  TAffineTransformation::TInverseFixed expected;
  bool degenerate;
};

TEST(AffineTransformation, PrepareInverseGivesTwelveBitFixedPoint) {
  const InverseCase cases[] = {
      {"identity", {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {4096, 0, 0, 0, 4096, 0}, false},
      {"scale 2", {{2, 0, 0}, {0, 2, 0}, {0, 0, 1}}, {2048, 0, 0, 0, 2048, 0}, false},
      // 4096 / 0.37 = 11070.27
      {"scale 0.37", {{0.37f, 0, 0}, {0, 0.37f, 0}, {0, 0, 1}}, {11070, 0, 0, 0, 11070, 0}, false},
      // 4096 / 3 = 1365.33, 4096 / 0.5 = 8192
      {"scale 3 x 0.5", {{3, 0, 0}, {0, 0.5f, 0}, {0, 0, 1}}, {1365, 0, 0, 0, 8192, 0}, false},
      {"translation", {{1, 0, 0}, {0, 1, 0}, {10, -5, 1}}, {4096, 0, -40960, 0, 4096, 20480}, false},
      // x' = x + y: the inverse is x = x' - y'
      {"shear", {{1, 0, 0}, {1, 1, 0}, {0, 0, 1}}, {4096, -4096, 0, 0, 4096, 0}, false},
      {"scale 0", {{0, 0, 0}, {0, 0, 0}, {0, 0, 1}}, {4096, 0, 0, 0, 4096, 0}, true},
      // determinant 0.000009 is below the 0.00001 threshold
      {"scale 0.003", {{0.003f, 0, 0}, {0, 0.003f, 0}, {0, 0, 1}}, {4096, 0, 0, 0, 4096, 0}, true},
      {"singular", {{1, 1, 0}, {1, 1, 0}, {0, 0, 1}}, {4096, 0, 0, 0, 4096, 0}, true},
  };
  for (const InverseCase& c : cases) {
    TAffineTransformation t;
    t.SetMatrix(c.matrix);
    t.PrepareInverse();
    const auto& f = t.InverseFixed();
    EXPECT_TRUE(t.InverseReady()) << c.name;
    EXPECT_EQ(t.InverseDegenerate(), c.degenerate) << c.name;
    EXPECT_EQ(f.A, c.expected.A) << c.name;
    EXPECT_EQ(f.B, c.expected.B) << c.name;
    EXPECT_EQ(f.C, c.expected.C) << c.name;
    EXPECT_EQ(f.D, c.expected.D) << c.name;
    EXPECT_EQ(f.E, c.expected.E) << c.name;
    EXPECT_EQ(f.F, c.expected.F) << c.name;
  }
}

struct MapCase {
  float scale;
  std::int32_t x, y, sx, sy, fx, fy;
};

TEST(AffineTransformation, ReverseMapRoundsAndReverseMapFixedGivesSubpixels) {
  const MapCase cases[] = {
      // scale 2: a = 2048; (3 * 2048 + 2047) >> 12 = 1, (3 * 2048 + 7) >> 4 = 384
      {2, 3, 4, 1, 2, 384, 512},
      {2, -1, 0, -1, 0, -128, 0},  // arithmetic shift of a negative sum
      {1, 5, 7, 5, 7, 1280, 1792},
      {0.5f, 3, 1, 6, 2, 1536, 512},
  };
  for (const MapCase& c : cases) {
    TAffineTransformation t;
    t.ApplyScale(c.scale, c.scale);
    t.PrepareInverse();
    std::int32_t sx, sy, fx, fy;
    t.ReverseMap(c.x, c.y, sx, sy);
    t.ReverseMapFixed(c.x, c.y, fx, fy);
    EXPECT_EQ(sx, c.sx) << c.scale << " " << c.x;
    EXPECT_EQ(sy, c.sy) << c.scale << " " << c.y;
    EXPECT_EQ(fx, c.fx) << c.scale << " " << c.x;
    EXPECT_EQ(fy, c.fy) << c.scale << " " << c.y;
  }
}

TEST(AffineTransformation, ReverseMapWrapsAroundIn32Bits) {
  TAffineTransformation t;
  t.PrepareInverse();
  std::int32_t sx, sy;
  t.ReverseMap(1 << 20, 0, sx, sy);  // 2^20 x 4096 = 2^32 wraps to 0
  EXPECT_EQ(sx, 0);
  t.ReverseMap((1 << 19) + 1, 0, sx, sy);  // 2^31 + 4096 wraps negative
  EXPECT_EQ(sx, -(1 << 19) + 1);
}

struct BoundsCase {
  TFloatRect source;
  float scale;
  TRect expected;
};

TEST(AffineTransformation, TransformedBoundsWidenByHalfAPixelAndRoundHalfToEven) {
  const BoundsCase cases[] = {
      {{0, 0, 99, 99}, 1, {0, 0, 100, 100}},    {{0, 0, 99, 99}, 2, {0, 0, 198, 198}},  // 198.5 rounds to 198
      {{0, 0, 99, 99}, 0.5f, {0, 0, 50, 50}},                                           // 49.5 + 0.5 = 50
      {{0, 0, 99, 99}, 0.37f, {0, 0, 37, 37}},  {{0, 0, 99, 99}, 0, {0, 0, 0, 0}},
      {{0, 0, 96, 72}, 2.5f, {0, 0, 240, 180}},  // 240.5 -> 240, 180.5 -> 180
      {{2, 3, 5, 4}, 1, {2, 2, 6, 4}},           // 1.5 -> 2, 2.5 -> 2, 5.5 -> 6, 4.5 -> 4
  };
  for (const BoundsCase& c : cases) {
    TAffineTransformation t;
    t.SetSourceRect(c.source);
    t.ApplyScale(c.scale, c.scale);
    EXPECT_EQ(t.TransformedBounds(), c.expected) << c.scale << " " << c.source.Right;
  }
}

TEST(AffineTransformation, TransformedBoundsCoverAllFourCornersOfAFlip) {
  TAffineTransformation t;
  t.SetSourceRect(TFloatRect{0, 0, 9, 4});
  const TAffineTransformation::TMatrix flip = {{-1, 0, 0}, {0, 1, 0}, {9, 0, 1}};
  t.SetMatrix(flip);
  EXPECT_EQ(t.TransformedBounds(), (TRect{0, 0, 10, 4}));  // -0.5 -> 0, 9.5 -> 10, 4.5 -> 4
}

// --- TransformBitmap --------------------------------------------------------------

TEST(TransformBitmap, NearestScaleTwoDoublesEveryPixel) {
  TBitmap32 src, dst;
  MakeBlueBitmap(src, {{10, 20, 30}, {40, 50, 60}});
  dst.ChangeSize(8, 6);
  dst.FillAll(kSentinel);
  TAffineTransformation t;
  Scale(t, src, 2);
  TransformBitmap(dst, src, t);
  // Bounds (0, 0, 4, 2) inclusive: the last source column and row show once.
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) {
      const TColor32 expected = (x <= 4 && y <= 2) ? src.GetPixelUnchecked(x / 2, y / 2) : kSentinel;
      EXPECT_EQ(dst.GetPixelUnchecked(x, y), expected) << x << "," << y;
    }
}

TEST(TransformBitmap, BilinearScaleTwoBlendsNeighboursWithEightBitWeights) {
  TBitmap32 src, dst;
  MakeBlueBitmap(src, {{0, 100, 200}, {50, 150, 250}});
  src.SetStretchFilter(sfLinear);
  dst.ChangeSize(6, 4);
  dst.FillAll(kSentinel);
  TAffineTransformation t;
  Scale(t, src, 2);
  TransformBitmap(dst, src, t);
  // Odd coordinates sit half way: weight 127 for the left / upper pixel.
  // (1, 1): top (0*127 + 100*129 + 128) >> 8 = 50, bottom 100, result 75.
  const int expected[3][6] = {{0, 50, 100, 150, -1, -1}, {25, 75, 125, 175, -1, -1}, {-1, -1, -1, -1, -1, -1}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 6; ++x) {
      const TColor32 want = expected[y][x] < 0 ? kSentinel : Blue(std::uint8_t(expected[y][x]));
      EXPECT_EQ(dst.GetPixelUnchecked(x, y), want) << x << "," << y;
    }
}

TEST(TransformBitmap, EveryFilterButNearestSamplesBilinearly) {
  TBitmap32 src;
  MakeBlueBitmap(src, {{0, 100, 200}, {50, 150, 250}});
  TColor32 results[3];
  const TStretchFilter filters[] = {sfLinear, sfLinear2, sfSpline};
  for (int i = 0; i < 3; ++i) {
    TBitmap32 dst;
    dst.ChangeSize(6, 4);
    src.SetStretchFilter(filters[i]);
    TAffineTransformation t;
    Scale(t, src, 2);
    TransformBitmap(dst, src, t);
    results[i] = dst.GetPixelUnchecked(1, 1);
  }
  EXPECT_EQ(results[0], Blue(75));
  EXPECT_EQ(results[1], Blue(75));
  EXPECT_EQ(results[2], Blue(75));
}

TEST(TransformBitmap, BilinearScaleOneLeavesTheLastColumnAndRowUntouched) {
  TBitmap32 src, dst;
  MakeBlueBitmap(src, {{0, 255, 7}, {0, 255, 7}, {9, 9, 9}});
  src.SetStretchFilter(sfLinear);
  dst.ChangeSize(3, 3);
  dst.FillAll(kSentinel);
  TAffineTransformation t;
  Scale(t, src, 1);
  TransformBitmap(dst, src, t);
  // (255 X + Y + 128) >> 8 per neighbour pair: 0 beside 255 becomes 1.
  EXPECT_EQ(dst.GetPixelUnchecked(0, 0), Blue(1));
  EXPECT_EQ(dst.GetPixelUnchecked(1, 0), Blue(254));  // (255*255 + 7 + 128) >> 8
  EXPECT_EQ(dst.GetPixelUnchecked(0, 1), Blue(1));    // row below (9, 9): top 1, bottom 9 -> 1
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(dst.GetPixelUnchecked(2, i), kSentinel) << i;
    EXPECT_EQ(dst.GetPixelUnchecked(i, 2), kSentinel) << i;
  }
}

TEST(TransformBitmap, BilinearScaleOneKeepsUniformAreas) {
  TBitmap32 src, dst;
  src.ChangeSize(5, 4);
  src.FillAll(0xFF808080u);
  src.SetStretchFilter(sfSpline);
  dst.ChangeSize(5, 4);
  TAffineTransformation t;
  Scale(t, src, 1);
  TransformBitmap(dst, src, t);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(dst.GetPixelUnchecked(x, y), 0xFF808080u);
}

TEST(TransformBitmap, NearestScaleOneCopiesEveryPixel) {
  TBitmap32 src, dst;
  MakeBlueBitmap(src, {{1, 2, 3}, {4, 5, 6}});
  dst.ChangeSize(3, 2);
  TAffineTransformation t;
  Scale(t, src, 1);
  TransformBitmap(dst, src, t);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(dst.GetPixelUnchecked(x, y), src.GetPixelUnchecked(x, y));
}

TEST(TransformBitmap, NearestLeavesPixelsOutsideTheSourceAlone) {
  TBitmap32 src, dst;
  MakeBlueBitmap(src, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
  dst.ChangeSize(8, 8);
  dst.FillAll(kSentinel);
  TAffineTransformation t;
  t.SetSourceRect(TFloatRect{0, 0, 5, 5});  // reaches past the 3 x 3 source
  TransformBitmap(dst, src, t);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const TColor32 expected = (x < 3 && y < 3) ? src.GetPixelUnchecked(x, y) : kSentinel;
      EXPECT_EQ(dst.GetPixelUnchecked(x, y), expected) << x << "," << y;
    }
}

TEST(TransformBitmap, BilinearReadsTheOuterColourBesideTheSource) {
  TBitmap32 src, dst;
  src.ChangeSize(3, 3);
  src.FillAll(Blue(100));
  src.SetOuterColor(0x000000C8u);  // blue 200, alpha 0
  src.SetStretchFilter(sfLinear);
  dst.ChangeSize(6, 6);
  dst.FillAll(kSentinel);
  TAffineTransformation t;
  t.SetSourceRect(TFloatRect{0, 0, 2, 2});
  const TAffineTransformation::TMatrix shift = {{1, 0, 0}, {0, 1, 0}, {1, 1, 1}};
  t.SetMatrix(shift);
  TransformBitmap(dst, src, t);
  // (0, 1) samples column -1 (outer) beside column 0: alpha (0*255 + 255 + 128) >> 8 = 1,
  // blue (200*255 + 100 + 128) >> 8 = 200.
  EXPECT_EQ(dst.GetPixelUnchecked(0, 1), 0x010000C8u);
  EXPECT_EQ(dst.GetPixelUnchecked(1, 1), Blue(100));
  EXPECT_EQ(dst.GetPixelUnchecked(2, 2), Blue(100));
  // Column 3 maps to source column 2 = SB.right: not sampled.
  EXPECT_EQ(dst.GetPixelUnchecked(3, 1), kSentinel);
  EXPECT_EQ(dst.GetPixelUnchecked(1, 3), kSentinel);
}

struct DegenerateCase {
  const char* name;
  TAffineTransformation::TMatrix matrix;
  int drawn;  // the identity stand-in shows source pixels (0..drawn-1, 0..drawn-1)
};

// A matrix without a usable inverse falls back to the identity; what is drawn
// is then decided by the transformed bounds alone. Only a scale of 0 collapses
// them: the smallest slider scale still has bounds (0, 0, 1, 1) and shows the
// source's top-left 2 x 2 pixels unscaled.
TEST(TransformBitmap, DegenerateMatrixDrawsThroughTheIdentityWithinItsBounds) {
  const DegenerateCase cases[] = {
      {"scale 0", {{0, 0, 0}, {0, 0, 0}, {0, 0, 1}}, 0},
      {"width 0", {{0, 0, 0}, {0, 1, 0}, {0, 0, 1}}, 0},
      {"scale 0.002", {{0.002f, 0, 0}, {0, 0.002f, 0}, {0, 0, 1}}, 2},
  };
  TBitmap32 src;
  src.ChangeSize(500, 500);
  for (int y = 0; y < 500; ++y)
    for (int x = 0; x < 500; ++x) src.SetPixelUnchecked(x, y, 0xFF000000u + TColor32(y * 500 + x));
  for (const TStretchFilter filter : {sfNearest, sfLinear}) {
    src.SetStretchFilter(filter);
    for (const DegenerateCase& c : cases) {
      TBitmap32 dst;
      dst.ChangeSize(20, 20);
      dst.FillAll(kSentinel);
      TAffineTransformation t;
      t.SetSourceRect(TFloatRect{0, 0, 499, 499});
      t.SetMatrix(c.matrix);
      TransformBitmap(dst, src, t);
      // Nearest copies the pixels; the bilinear blends are the reference test's.
      for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
          const TColor32 p = dst.GetPixelUnchecked(x, y);
          if (x >= c.drawn || y >= c.drawn) ASSERT_EQ(p, kSentinel) << c.name << " at " << x << "," << y;
          else if (filter == sfNearest) ASSERT_EQ(p, src.GetPixelUnchecked(x, y)) << c.name << " at " << x << "," << y;
          else ASSERT_NE(p, kSentinel) << c.name << " at " << x << "," << y;
        }
    }
  }
}

TEST(TransformBitmap, SourceRectangleOutsideTheSourceDrawsNothing) {
  TBitmap32 src, dst;
  src.ChangeSize(4, 4);
  src.FillAll(0xFFFFFFFFu);
  dst.ChangeSize(20, 20);
  dst.FillAll(kSentinel);
  TAffineTransformation t;
  t.SetSourceRect(TFloatRect{8, 8, 12, 12});
  TransformBitmap(dst, src, t);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(dst.GetPixelUnchecked(x, y), kSentinel);
}

TEST(TransformBitmap, OnePixelWideDestinationBoundsCountAsEmpty) {
  // The destination bounds are inclusive but tested with left >= right.
  TBitmap32 src, dst;
  src.ChangeSize(4, 4);
  src.FillAll(0xFFFFFFFFu);
  dst.ChangeSize(1, 4);
  dst.FillAll(kSentinel);
  TAffineTransformation t;
  Scale(t, src, 1);
  TransformBitmap(dst, src, t);
  for (int y = 0; y < 4; ++y) EXPECT_EQ(dst.GetPixelUnchecked(0, y), kSentinel);
}

TEST(TransformBitmap, EmptyBitmapsAreLeftAloneAndChangeIsSignalled) {
  TBitmap32 src, dst, empty;
  src.ChangeSize(4, 4);
  dst.ChangeSize(4, 4);
  dst.FillAll(kSentinel);
  int changes = 0;
  dst.OnChange = [&changes] { ++changes; };
  TAffineTransformation t;
  t.SetSourceRect(TFloatRect{0, 0, 3, 3});
  TransformBitmap(dst, empty, t);
  EXPECT_EQ(dst.GetPixelUnchecked(0, 0), kSentinel);
  EXPECT_EQ(changes, 1);
  TransformBitmap(empty, src, t);
  EXPECT_TRUE(empty.Empty());
  TransformBitmap(dst, src, t);
  EXPECT_EQ(changes, 2);
  EXPECT_TRUE(t.InverseReady());
}

TEST(TransformBitmap, WritesThroughTheSourceDrawMode) {
  TBitmap32 src, dst;
  src.ChangeSize(3, 3);
  src.FillAll(Blue(9));
  src.SetDrawMode(dmCustom);
  int calls = 0;
  src.OnPixelCombine = [&calls](TColor32, TColor32& d, std::uint8_t) {
    ++calls;
    d = 0xFF00FF00u;
  };
  dst.ChangeSize(3, 3);
  TAffineTransformation t;
  Scale(t, src, 1);
  TransformBitmap(dst, src, t);
  EXPECT_EQ(calls, 9);
  EXPECT_EQ(dst.GetPixelUnchecked(2, 2), 0xFF00FF00u);
}

}  // namespace
}  // namespace quill
