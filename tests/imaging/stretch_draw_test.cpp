#include "quill/imaging/StretchDraw.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "quill/base/Errors.h"
#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/Contributions.h"
#include "tests/imaging/test_picture.h"

namespace quill {
namespace {

constexpr TColor32 kSentinel = 0xFF123456u;

TColor32 Blue(std::uint8_t b) { return MakeColour32(0, 0, b); }

void MakeBlueRow(TBitmap32& b, std::initializer_list<int> values) {
  b.ChangeSize(int(values.size()), 1);
  int x = 0;
  for (int v : values) b.SetPixelUnchecked(x++, 0, Blue(std::uint8_t(v)));
}

std::vector<TColor32> Row(const TBitmap32& b, int y) {
  std::vector<TColor32> row;
  for (int x = 0; x < b.Width(); ++x) row.push_back(b.GetPixelUnchecked(x, y));
  return row;
}

std::vector<TColor32> Blues(std::initializer_list<int> values) {
  std::vector<TColor32> row;
  for (int v : values) row.push_back(v < 0 ? kSentinel : Blue(std::uint8_t(v)));
  return row;
}

void Draw(TBitmap32& dst, const TRect& dstRect, const TBitmap32& src, const TRect& srcRect) {
  DrawStretched(&dst, dstRect, &src, srcRect);
}

TRect Whole(const TBitmap32& b) { return TRect{0, 0, b.Width(), b.Height()}; }

// --- failures and empty draws ----------------------------------------------------

struct ErrorCase {
  const char* name;
  bool nilDst, emptyDst, nilSrc, emptySrc;
  TRect srcRect;
  const char* message;
};

TEST(DrawStretched, RefusesMissingBitmapsAndSourceRectanglesOutsideTheSource) {
  const ErrorCase cases[] = {
      {"nil dst", true, false, false, false, {0, 0, 2, 2}, "Destination bitmap is nil or empty"},
      {"empty dst", false, true, false, false, {0, 0, 2, 2}, "Destination bitmap is nil or empty"},
      {"nil src", false, false, true, false, {0, 0, 2, 2}, "Source bitmap is nil or empty"},
      {"empty src", false, false, false, true, {0, 0, 2, 2}, "Source bitmap is nil or empty"},
      {"left < 0", false, false, false, false, {-1, 0, 2, 2}, "Source rectangle is invalid"},
      {"top < 0", false, false, false, false, {0, -1, 2, 2}, "Source rectangle is invalid"},
      {"right past", false, false, false, false, {0, 0, 5, 2}, "Source rectangle is invalid"},
      {"bottom past", false, false, false, false, {1, 1, 3, 4}, "Source rectangle is invalid"},
  };
  for (const ErrorCase& c : cases) {
    TBitmap32 src, dst;
    if (!c.emptySrc) src.ChangeSize(4, 3);
    src.FillAll(0xFFFFFFFFu);
    if (!c.emptyDst) dst.ChangeSize(5, 5);
    dst.FillAll(kSentinel);
    try {
      DrawStretched(c.nilDst ? nullptr : &dst, TRect{0, 0, 5, 5}, c.nilSrc ? nullptr : &src, c.srcRect);
      ADD_FAILURE() << c.name << ": no exception";
    } catch (const ETransformError& e) {
      EXPECT_EQ(std::string(e.what()), c.message) << c.name;
    }
    if (!dst.Empty()) {
      EXPECT_EQ(dst.GetPixelUnchecked(0, 0), kSentinel) << c.name;
    }
  }
}

TEST(DrawStretched, EmptyRectanglesDrawNothing) {
  TBitmap32 src, dst;
  src.ChangeSize(4, 4);
  src.FillAll(0xFFFFFFFFu);
  dst.ChangeSize(4, 4);
  const TRect cases[][2] = {
      {{0, 0, 4, 4}, {2, 0, 2, 4}},    // source with no width
      {{0, 0, 4, 4}, {9, 9, 7, 12}},   // empty, so never "invalid"
      {{4, 0, 8, 4}, {0, 0, 2, 2}},    // destination wholly to the right
      {{-5, -5, 0, 0}, {0, 0, 2, 2}},  // and above-left
      {{2, 2, 2, 3}, {0, 0, 2, 2}},    // destination with no width
  };
  for (const auto& c : cases) {
    dst.FillAll(kSentinel);
    Draw(dst, c[0], src, c[1]);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x) ASSERT_EQ(dst.GetPixelUnchecked(x, y), kSentinel);
  }
}

// --- equal sizes -----------------------------------------------------------------

TEST(DrawStretched, EqualSizesCopyExactlyWhateverTheFilter) {
  TBitmap32 src;
  test::MakeTestPicture(src, 9, 7);
  src.SetPixelUnchecked(3, 3, 0x12345678u);  // alpha is copied too
  for (const TStretchFilter filter : {sfNearest, sfLinear, sfLinear2, sfSpline}) {
    src.SetStretchFilter(filter);
    TBitmap32 dst;
    dst.ChangeSize(6, 6);
    dst.FillAll(kSentinel);
    // 5 x 4 from (2, 1) of the source to (-1, 3): clipped on the left and bottom.
    Draw(dst, TRect{-1, 3, 4, 7}, src, TRect{2, 1, 7, 5});
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 6; ++x) {
        const bool inside = x < 4 && y >= 3;
        const TColor32 expected = inside ? src.GetPixelUnchecked(x + 3, y - 2) : kSentinel;
        ASSERT_EQ(dst.GetPixelUnchecked(x, y), expected) << filter << " " << x << "," << y;
      }
  }
}

// --- sfNearest ---------------------------------------------------------------------

struct RowCase {
  const char* name;
  std::initializer_list<int> source;
  TRect dstRect;
  int dstWidth;
  std::initializer_list<int> expected;  // -1: untouched
};

TEST(DrawStretched, NearestStepsInSixteenDotSixteen) {
  const RowCase cases[] = {
      // step 2 * 65536 / 4 = 32768
      {"enlarge 2 -> 4", {10, 20}, {0, 0, 4, 1}, 4, {10, 10, 20, 20}},
      // step 4 * 65536 / 3 = 87381: columns 0, 1, 2
      {"reduce 4 -> 3", {10, 20, 30, 40}, {0, 0, 3, 1}, 3, {10, 20, 30}},
      // A clipped start is its own proportion: MulDiv(1 * 1, 65535, 3) = 21845
      {"clipped 2 -> 4", {10, 20}, {-1, 0, 3, 1}, 3, {10, 10, 20}},
      // One pixel wide: start 0 rather than a division by zero.
      {"one wide", {10, 20, 30}, {1, 0, 2, 1}, 3, {-1, 10, -1}},
  };
  for (const RowCase& c : cases) {
    TBitmap32 src, dst;
    MakeBlueRow(src, c.source);
    dst.ChangeSize(c.dstWidth, 1);
    dst.FillAll(kSentinel);
    Draw(dst, c.dstRect, src, Whole(src));
    EXPECT_EQ(Row(dst, 0), Blues(c.expected)) << c.name;
  }
}

TEST(DrawStretched, NearestOneHighDestinationTakesTheFirstSourceRow) {
  TBitmap32 src, dst;
  src.ChangeSize(2, 3);
  for (int y = 0; y < 3; ++y) src.FillBlock(0, y, 2, y + 1, Blue(std::uint8_t(10 * (y + 1))));
  dst.ChangeSize(4, 1);
  Draw(dst, TRect{0, 0, 4, 1}, src, Whole(src));
  EXPECT_EQ(Row(dst, 0), Blues({10, 10, 10, 10}));
}

// --- sfLinear -----------------------------------------------------------------------

TEST(DrawStretched, LinearBlendsWithEightBitWeights) {
  const RowCase cases[] = {
      // step (1 << 16) / 4 = 16384; weights of the left pixel 255, 191, 127, 63
      {"enlarge 2 -> 4", {0, 200}, {0, 0, 4, 1}, 4, {1, 51, 101, 151}},
      // step (3 << 16) / 2 = 98304: columns 0 and 1.5
      {"reduce 4 -> 2", {0, 100, 200, 240}, {0, 0, 2, 1}, 2, {0, 150}},
      // start MulDiv(1, 65535, 4) = 16384: weights 191, 127, 63
      {"clipped 2 -> 4", {0, 200}, {-1, 0, 3, 1}, 3, {51, 101, 151}},
  };
  for (const RowCase& c : cases) {
    TBitmap32 src, dst;
    MakeBlueRow(src, c.source);
    src.SetStretchFilter(sfLinear);
    dst.ChangeSize(c.dstWidth, 1);
    dst.FillAll(kSentinel);
    Draw(dst, c.dstRect, src, Whole(src));
    EXPECT_EQ(Row(dst, 0), Blues(c.expected)) << c.name;
  }
}

TEST(DrawStretched, LinearOneColumnSourceRepeatsItsColumn) {
  // The source rectangle is column 0 of a wider bitmap: column 1 must not leak in.
  TBitmap32 src, dst;
  src.ChangeSize(2, 2);
  src.SetPixelUnchecked(0, 0, Blue(10));
  src.SetPixelUnchecked(0, 1, Blue(30));
  src.SetPixelUnchecked(1, 0, Blue(250));
  src.SetPixelUnchecked(1, 1, Blue(250));
  src.SetStretchFilter(sfLinear);
  dst.ChangeSize(3, 2);
  Draw(dst, TRect{0, 0, 3, 2}, src, TRect{0, 0, 1, 2});
  // Row 1 sits half way: (10*127 + 30*129 + 128) >> 8 = 20.
  EXPECT_EQ(Row(dst, 0), Blues({10, 10, 10}));
  EXPECT_EQ(Row(dst, 1), Blues({20, 20, 20}));
}

// --- contribution lists -----------------------------------------------------------------

using Lists = std::vector<std::vector<std::pair<int, int>>>;

Lists AllLists(std::int32_t n, std::int32_t s, std::int32_t lo, std::int32_t hi, TStretchFilter filter) {
  const TContributionLists lists = BuildContributions(n, s, lo, hi, filter, 0, n);
  Lists out;
  for (std::int32_t i = 0; i < lists.Count(); ++i) {
    out.emplace_back();
    for (const TContribution& c : lists.List(i)) out.back().emplace_back(c.Index, c.Weight);
  }
  return out;
}

struct ListCase {
  const char* name;
  std::int32_t n, s, lo, hi;
  TStretchFilter filter;
  Lists expected;
};

TEST(Contributions, ListsFollowTheKernelAndScale) {
  const ListCase cases[] = {
      {"one-pixel source", 3, 1, 0, 1, sfSpline, {{{0, 255}}, {{0, 255}}, {{0, 255}}}},
      {"one destination", 1, 5, 0, 5, sfLinear2, {{}}},
      {"reversed range", 2, 5, 3, 2, sfLinear2, {{}, {}}},
      // scale (5 - 1) / (3 - 0 - 1) = 2, radius 1 / 1.001: halves get 128 each
      {"triangle x2",
       5,
       3,
       0,
       3,
       sfLinear2,
       {{{0, 256}}, {{0, 128}, {1, 128}}, {{1, 256}}, {{1, 128}, {2, 128}}, {{2, 256}}}},
      // B-spline at 0, 1: 2/3 -> 171, 1/6 -> 43; at 0.5, 1.5: 0.479 -> 123, 0.0208 -> 5.
      // Indices outside the source are clamped to it.
      {"spline x2",
       3,
       2,
       0,
       2,
       sfSpline,
       {{{0, 43}, {0, 171}, {1, 43}}, {{0, 5}, {0, 123}, {1, 123}, {1, 5}}, {{0, 43}, {1, 171}, {1, 43}}}},
      // scale 1 (range of 2): enlarging, the source pixel alone
      {"range of two", 2, 4, 1, 3, sfLinear2, {{{1, 256}}, {{2, 256}}}},
  };
  for (const ListCase& c : cases) EXPECT_EQ(AllLists(c.n, c.s, c.lo, c.hi, c.filter), c.expected) << c.name;
}

TEST(Contributions, ReductionWeightsAreRenormalisedToAbout255) {
  // scale 2 / 5 = 0.4: weights round(k(0.4 d) x 255 x 0.4) = 20, 61, 102, 61, 20 (sum 264),
  // then each / (264 / 255) rounded: 19, 59, 99, 59, 19.
  const Lists lists = AllLists(3, 6, 0, 6, sfLinear2);
  const std::vector<std::pair<int, int>> first = {{0, 19}, {0, 59}, {0, 99}, {1, 59}, {2, 19}};
  EXPECT_EQ(lists[0], first);
  for (const auto& list : AllLists(40, 500, 0, 500, sfSpline)) {
    int sum = 0;
    for (const auto& e : list) {
      sum += e.second;
      EXPECT_GE(e.first, 0);
      EXPECT_LT(e.first, 500);
    }
    // Each of the ~38 weights is rounded on its own after renormalising.
    EXPECT_NEAR(sum, 255, 12);
  }
}

TEST(Contributions, ReductionWithEveryWeightRoundingToZeroTakesTheCentrePixel) {
  // 2000 -> 2: scale 1 / 1999, every weight below 0.13 rounds to 0; the
  // centres are the first and last source pixels.
  const Lists expected = {{{0, 255}}, {{1999, 255}}};
  EXPECT_EQ(AllLists(2, 2000, 0, 2000, sfLinear2), expected);
}

TEST(Contributions, ClippedBuildMatchesTheFullOne) {
  const TContributionLists full = BuildContributions(50, 30, 2, 27, sfSpline, 0, 50);
  const TContributionLists part = BuildContributions(50, 30, 2, 27, sfSpline, 17, 9);
  ASSERT_EQ(part.Count(), 9);
  for (int i = 0; i < 9; ++i) {
    const auto a = full.List(17 + i), b = part.List(i);
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t k = 0; k < a.size(); ++k) {
      EXPECT_EQ(a[k].Index, b[k].Index);
      EXPECT_EQ(a[k].Weight, b[k].Weight);
    }
  }
}

// --- sfLinear2 and sfSpline pixels ------------------------------------------------------

TEST(DrawStretched, ConvolutionEnlargesWithIntegerWeights) {
  TBitmap32 src, dst;
  // Triangle, 3 -> 5 across, one row (weight 255) down: 256 x 100 x 255 >> 16 = 99.
  MakeBlueRow(src, {0, 100, 200});
  src.SetStretchFilter(sfLinear2);
  dst.ChangeSize(5, 2);
  Draw(dst, TRect{0, 0, 5, 2}, src, Whole(src));
  const std::vector<TColor32> triangle = {0xFE000000u, 0xFE000031u, 0xFE000063u, 0xFE000095u, 0xFE0000C7u};
  EXPECT_EQ(Row(dst, 0), triangle);
  EXPECT_EQ(Row(dst, 1), triangle);

  // Spline, 2 -> 3: (43 x 240) x 255 >> 16 = 40, 128 x 240 x 255 >> 16 = 119, 214 x 240 -> 199.
  MakeBlueRow(src, {0, 240});
  src.SetStretchFilter(sfSpline);
  dst.ChangeSize(3, 1);
  Draw(dst, TRect{0, 0, 3, 2}, src, Whole(src));
  const std::vector<TColor32> spline = {0xFE000028u, 0xFE000077u, 0xFE0000C7u};
  EXPECT_EQ(Row(dst, 0), spline);
}

TEST(DrawStretched, ConvolutionClampsChannelsAt255) {
  // Spline lists of 257 on both axes: 257 x 257 x 255 would carry past 16 bits.
  TBitmap32 src, dst;
  src.ChangeSize(2, 2);
  src.FillAll(0xFFFFFFFFu);
  src.SetStretchFilter(sfSpline);
  dst.ChangeSize(3, 3);
  Draw(dst, Whole(dst), src, Whole(src));
  EXPECT_EQ(dst.GetPixelUnchecked(0, 0), 0xFFFFFFFFu);
}

TEST(DrawStretched, ReducedUniformWhiteComesOutAs253) {
  for (const TStretchFilter filter : {sfLinear2, sfSpline}) {
    TBitmap32 src, dst;
    src.ChangeSize(6, 6);
    src.FillAll(0xFFFFFFFFu);
    src.SetStretchFilter(filter);
    dst.ChangeSize(3, 3);
    Draw(dst, Whole(dst), src, Whole(src));
    // 255 x 255 x 255 >> 16 = 253 where both lists sum to 255.
    if (filter == sfLinear2) {
      EXPECT_EQ(dst.GetPixelUnchecked(0, 0), 0xFDFDFDFDu);
    }
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 3; ++x) {
        const TColor32 p = dst.GetPixelUnchecked(x, y);
        EXPECT_GE(p & 0xFF, 251u) << filter;
        EXPECT_LE(p & 0xFF, 255u) << filter;
      }
  }
}

TEST(DrawStretched, OnePixelDestinationOfConvolutionGetsZero) {
  for (const TStretchFilter filter : {sfLinear2, sfSpline}) {
    TBitmap32 src, dst;
    src.ChangeSize(4, 4);
    src.FillAll(0xFFFFFFFFu);
    src.SetStretchFilter(filter);
    dst.ChangeSize(3, 3);
    dst.FillAll(kSentinel);
    Draw(dst, TRect{1, 0, 2, 3}, src, Whole(src));  // one wide: its lists are empty
    Draw(dst, TRect{0, 2, 3, 3}, src, Whole(src));  // one high
    EXPECT_EQ(dst.GetPixelUnchecked(1, 0), 0u) << filter;
    EXPECT_EQ(dst.GetPixelUnchecked(1, 1), 0u) << filter;
    EXPECT_EQ(dst.GetPixelUnchecked(0, 2), 0u) << filter;
    EXPECT_EQ(dst.GetPixelUnchecked(0, 0), kSentinel) << filter;
  }
}

TEST(DrawStretched, OnePixelWideSourceRepeatsWithWeight255) {
  for (const TStretchFilter filter : {sfLinear2, sfSpline}) {
    TBitmap32 src, dst;
    src.ChangeSize(1, 2);
    src.FillAll(Blue(200));
    src.SetStretchFilter(filter);
    dst.ChangeSize(4, 2);
    Draw(dst, Whole(dst), src, Whole(src));
    // Down the lists are the pixels themselves (range of 2: 256); across, 255:
    // 200 x 255 x 256 >> 16 = 199, alpha 254.
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 4; ++x) EXPECT_EQ(dst.GetPixelUnchecked(x, y), 0xFE0000C7u) << filter;
  }
}

TEST(DrawStretched, ConvolutionClippingKeepsTheVisiblePixels) {
  TBitmap32 src, full, clipped;
  test::MakeTestPicture(src, 23, 17);
  for (const TStretchFilter filter : {sfLinear2, sfSpline}) {
    src.SetStretchFilter(filter);
    full.ChangeSize(40, 30);
    Draw(full, TRect{0, 0, 40, 30}, src, TRect{1, 2, 20, 15});
    clipped.ChangeSize(25, 20);
    Draw(clipped, TRect{-10, -6, 30, 24}, src, TRect{1, 2, 20, 15});
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x)
        ASSERT_EQ(clipped.GetPixelUnchecked(x, y), full.GetPixelUnchecked(x + 10, y + 6)) << filter;
  }
}

// --- DrawRect -------------------------------------------------------------------------

TEST(DrawRect, UsesTheSourceFilterAndSignalsTheDestination) {
  TBitmap32 src, dst;
  MakeBlueRow(src, {0, 200});
  src.SetStretchFilter(sfLinear);
  dst.ChangeSize(4, 1);
  int changes = 0;
  dst.OnChange = [&changes] { ++changes; };
  dst.DrawRect(TRect{0, 0, 4, 1}, TRect{0, 0, 2, 1}, src);
  EXPECT_EQ(Row(dst, 0), Blues({1, 51, 101, 151}));
  EXPECT_EQ(changes, 1);
}

TEST(DrawRect, DoesNothingWhenEitherBitmapIsEmpty) {
  TBitmap32 src, dst, empty;
  src.ChangeSize(2, 2);
  dst.ChangeSize(2, 2);
  int changes = 0;
  dst.OnChange = [&changes] { ++changes; };
  EXPECT_NO_THROW(dst.DrawRect(TRect{0, 0, 2, 2}, TRect{0, 0, 9, 9}, empty));
  EXPECT_NO_THROW(empty.DrawRect(TRect{0, 0, 2, 2}, TRect{0, 0, 2, 2}, src));
  EXPECT_EQ(changes, 0);
  EXPECT_THROW(dst.DrawRect(TRect{0, 0, 2, 2}, TRect{0, 0, 9, 9}, src), ETransformError);
}

TEST(DrawRect, WritesInTheSourceDrawMode) {
  TBitmap32 src, dst;
  src.ChangeSize(2, 2);
  src.FillAll(0x80FFFFFFu);  // white at half alpha
  src.SetDrawMode(dmBlend);
  dst.ChangeSize(2, 2);
  dst.FillAll(0xFF000000u);
  dst.DrawRect(Whole(dst), Whole(src), src);
  const TColor32 p = dst.GetPixelUnchecked(1, 1);
  EXPECT_GT(RedComponent(p), 100);
  EXPECT_LT(RedComponent(p), 160);
}

TEST(DrawRect, DrawingABitmapIntoItselfReadsTheOriginalPixels) {
  TBitmap32 self, copy, expected;
  test::MakeTestPicture(self, 12, 10);
  copy.CopyFrom(&self);
  expected.CopyFrom(&self);
  for (const TStretchFilter filter : {sfNearest, sfLinear, sfSpline}) {
    self.SetStretchFilter(filter);
    copy.SetStretchFilter(filter);
    expected.DrawRect(TRect{2, 1, 12, 10}, TRect{0, 0, 6, 5}, copy);
    self.DrawRect(TRect{2, 1, 12, 10}, TRect{0, 0, 6, 5}, self);
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 12; ++x) ASSERT_EQ(self.GetPixelUnchecked(x, y), expected.GetPixelUnchecked(x, y));
    copy.CopyFrom(&self);
  }
}

}  // namespace
}  // namespace quill
