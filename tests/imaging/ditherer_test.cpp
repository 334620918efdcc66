#include <gtest/gtest.h>

#include <vector>

#include "quill/base/Errors.h"
#include "quill/imaging/BurkesDitherer.h"
#include "quill/imaging/DiffusionLanes.h"
#include "quill/imaging/Dither5by3.h"
#include "quill/imaging/DitherEngine.h"
#include "quill/imaging/FloydSteinbergDitherer.h"
#include "quill/imaging/ReduceToPalette.h"
#include "tests/imaging/reduce_test_support.h"

namespace quill {
namespace {

using test::Grey;
using test::MakeBitmap24;
using test::MakePalette;
using test::TRecordingLookup;
using test::TRgb;

using Cells = std::vector<std::int32_t>;

const TPaletteDither kAllModes[] = {pdNearest, pdFloydSteinberg, pdStucki, pdSierra, pdJaJuNI, pdBurkes};

// Runs the rows of a 24-bit picture through the ditherer the way the
// reduction does; returns the indices, top row first.
std::vector<std::uint8_t> RunRows(TDitherEngine& ditherer, const TBitmap& source) {
  const int w = source.Width();
  std::vector<std::uint8_t> out(std::size_t(w) * source.Height());
  for (int y = 0; y < source.Height(); ++y) {
    ditherer.DitherRow(source.ScanLine(y), out.data() + std::size_t(y) * w);
    ditherer.EndRow();
  }
  return out;
}

std::uint8_t Dither(TDitherEngine& d, TRgb c) {
  std::uint8_t r, g, b;
  return d.DitherPixel(c[0], c[1], c[2], r, g, b);
}

TEST(DitherEngine, PixelAdvancesColumnAndEndRowReverses) {
  TFastColorLookup lookup(MakePalette({{0, 0, 0}, {255, 255, 255}}));
  TDitherEngine d(3, lookup);
  EXPECT_EQ(d.ScanDirection(), 1);
  EXPECT_EQ(d.CurrentColumn(), 0);
  EXPECT_EQ(d.LineWidth(), 3);
  EXPECT_EQ(Dither(d, Grey(200)), 1);
  EXPECT_EQ(d.CurrentColumn(), 1);
  d.EndRow();
  EXPECT_EQ(d.ScanDirection(), -1);
  EXPECT_EQ(d.CurrentColumn(), 2);
  EXPECT_EQ(Dither(d, Grey(20)), 0);
  EXPECT_EQ(d.CurrentColumn(), 1);
  d.EndRow();
  EXPECT_EQ(d.ScanDirection(), 1);
  EXPECT_EQ(d.CurrentColumn(), 0);
}

TEST(DitherEngine, EveryModeScansSerpentine) {
  // With every colour answered exactly all errors are 0, so each mode asks
  // for the source colours themselves, in scan order.
  std::vector<TRgb> colours;
  for (int i = 0; i < 9; ++i) colours.push_back({std::uint8_t(10 * i), std::uint8_t(100 + i), 7});
  const TBitmap source = MakeBitmap24(3, 3, colours);
  const int order[9] = {0, 1, 2, 5, 4, 3, 6, 7, 8};  // picture position of each call
  for (TPaletteDither mode : kAllModes) {
    TRecordingLookup lookup;
    const auto d = CreateDitherer(mode, 3, lookup);
    const std::vector<std::uint8_t> indices = RunRows(*d, source);
    ASSERT_EQ(lookup.Asked.size(), 9u) << mode;
    for (int call = 0; call < 9; ++call) {
      EXPECT_EQ(lookup.Asked[call], colours[order[call]]) << "mode " << mode << " call " << call;
      EXPECT_EQ(indices[order[call]], call) << "mode " << mode;
    }
  }
}

TEST(FloydSteinberg, FirstTwoRowsFollowCarryAndBelowRules) {
  // Grey 100 on black and white. Row 0: 100 -> black (e 100); 100 + 708/16 =
  // 144 -> white (e -111); 100 - 769/16 = 52 -> black (e 52). Cells hold
  // Below5 + 3e; the end cell takes Below5.
  TFastColorLookup lookup(MakePalette({{0, 0, 0}, {255, 255, 255}}));
  TFloydSteinbergDitherer d(3, lookup);
  const TBitmap source = MakeBitmap24(3, 1, {Grey(100), Grey(100), Grey(100)});
  std::uint8_t row[3];
  d.DitherRow(source.ScanLine(0), row);
  EXPECT_EQ(std::vector<std::uint8_t>(row, row + 3), (std::vector<std::uint8_t>{0, 1, 0}));
  EXPECT_EQ(d.Channel(0).Carry, 7 * 52);
  EXPECT_EQ(d.Channel(0).Below1, 52);
  EXPECT_EQ(d.Channel(0).Below5, -111 + 5 * 52);
  d.EndRow();
  for (int c = 0; c < 3; ++c) {
    EXPECT_EQ(d.Channel(c).ErrorRow, (Cells{300, 167, -299, 149, 0})) << c;
    EXPECT_EQ(d.Channel(c).Carry, 0);
    EXPECT_EQ(d.Channel(c).Below1, 0);
    EXPECT_EQ(d.Channel(c).Below5, 0);
  }
  EXPECT_EQ(d.Position(), 4);  // column 2 uses cell 4 on right-to-left rows

  // Row 1, right to left: column 2 reads cell 4 (0) -> black, e 100; column 1
  // reads cell 3: 100 + (149 + 700 + 8) / 16 = 153 -> white, e -102; column 0
  // reads cell 2: 100 + (-299 - 714 + 8) / 16 = 38 -> black, e 38.
  d.DitherRow(source.ScanLine(0), row);
  EXPECT_EQ(std::vector<std::uint8_t>(row, row + 3), (std::vector<std::uint8_t>{0, 1, 0}));
  d.EndRow();
  EXPECT_EQ(d.Channel(1).ErrorRow, (Cells{300, 88, -296, 194, 300}));
  EXPECT_EQ(d.Position(), 0);
}

TEST(FloydSteinberg, ExactMatchOnlyClearsCarry) {
  // Column 1 is white and gets +44: it stays 255, matches exactly, and only
  // the carry is dropped; column 2 then finds Below5 = 500 from column 0.
  TFastColorLookup lookup(MakePalette({{0, 0, 0}, {255, 255, 255}}));
  TFloydSteinbergDitherer d(3, lookup);
  EXPECT_EQ(Dither(d, Grey(100)), 0);
  EXPECT_EQ(Dither(d, Grey(255)), 1);
  EXPECT_EQ(d.Channel(2).Carry, 0);
  EXPECT_EQ(d.Channel(2).Below1, 100);
  EXPECT_EQ(d.Channel(2).Below5, 500);
  EXPECT_EQ(d.Channel(2).ErrorRow[1], 0);
  EXPECT_EQ(Dither(d, Grey(100)), 0);
  d.EndRow();
  EXPECT_EQ(d.Channel(2).ErrorRow, (Cells{300, 0, 800, 600, 0}));
}

TEST(FloydSteinberg, ExactMatchKeepsTheCellItRead) {
  // Row 0 leaves cell 2 at -455 (Below5 after 100 -> black, 144 -> white).
  // Row 1 is black: 0 + (-455 + 8) / 16 clamps to 0, an exact match, so cell 2 keeps
  // -455 and the end cell 1 takes the zero Below5.
  TFastColorLookup lookup(MakePalette({{0, 0, 0}, {255, 255, 255}}));
  TFloydSteinbergDitherer d(2, lookup);
  const TBitmap source = MakeBitmap24(2, 2, {Grey(100), Grey(100), Grey(0), Grey(0)});
  EXPECT_EQ(RunRows(d, source), (std::vector<std::uint8_t>{0, 1, 0, 0}));
  EXPECT_EQ(d.Channel(0).ErrorRow, (Cells{300, 0, -455, 0}));
}

TEST(FloydSteinberg, NegativeShareTruncatesTowardZero) {
  // Every match is 101, so each error of row 0 is -1 and cell 2 ends at
  // -1 - 5 - 3 = -9. In row 1 the exact match at column 1 clears the carry,
  // and column 0 gets 100 + (-9 + 8) / 16 = 100, not 99.
  TRecordingLookup lookup(Grey(101));
  TFloydSteinbergDitherer d(3, lookup);
  const TBitmap source = MakeBitmap24(3, 2, {Grey(100), Grey(100), Grey(100), Grey(100), Grey(101), Grey(100)});
  RunRows(d, source);
  ASSERT_EQ(lookup.Asked.size(), 6u);
  EXPECT_EQ(lookup.Asked[3], Grey(100));  // column 2
  EXPECT_EQ(lookup.Asked[4], Grey(101));  // column 1: 101 + (-6 - 7 + 8) / 16
  EXPECT_EQ(lookup.Asked[5], Grey(100));  // column 0
}

TEST(FloydSteinberg, PixelPastTheRowIsRefused) {
  TFastColorLookup lookup(MakePalette({{0, 0, 0}}));
  TFloydSteinbergDitherer d(2, lookup);
  Dither(d, Grey(1));
  Dither(d, Grey(1));
  EXPECT_THROW(Dither(d, Grey(1)), EInvalidGraphicOperation);
}

struct MatrixCase {
  TPaletteDither mode;
  int rows;
  std::int32_t current[2];
  std::int32_t next[5];
  std::int32_t after[5];
};

const MatrixCase kMatrices[] = {
    {pdStucki, 3, {8, 4}, {2, 4, 8, 4, 2}, {1, 2, 4, 2, 1}},
    {pdSierra, 3, {5, 3}, {2, 4, 5, 4, 2}, {0, 2, 3, 2, 0}},
    {pdJaJuNI, 3, {7, 5}, {3, 5, 7, 5, 3}, {1, 3, 5, 3, 1}},
    {pdBurkes, 2, {8, 4}, {2, 4, 8, 4, 2}, {0, 0, 0, 0, 0}},
};

Cells MatrixRow(const TDitherEngine& d, int channel, int row) {
  if (const auto* m = dynamic_cast<const T5by3Ditherer*>(&d)) return m->ErrorRow(channel, row);
  return dynamic_cast<const TBurkesDitherer&>(d).ErrorRow(channel, row);
}

TEST(MatrixDitherers, SpreadWeightsAroundThePixelInScanDirection) {
  // Width 5: cells 0..8, column c at cell c + 2. One pixel with error +10 at
  // column 0, then, after EndRow, one at column 4 scanned right to left.
  for (const MatrixCase& m : kMatrices) {
    SCOPED_TRACE(m.mode);
    TRecordingLookup lookup(Grey(101));
    const auto d = CreateDitherer(m.mode, 5, lookup);
    Dither(*d, Grey(111));
    const std::int32_t e = 10;
    for (int c = 0; c < 3; ++c) {
      EXPECT_EQ(MatrixRow(*d, c, 0), (Cells{0, 0, 0, m.current[0] * e, m.current[1] * e, 0, 0, 0, 0}));
      const auto& n = m.next;
      EXPECT_EQ(MatrixRow(*d, c, 1), (Cells{n[0] * e, n[1] * e, n[2] * e, n[3] * e, n[4] * e, 0, 0, 0, 0}));
      if (m.rows == 3) {
        const auto& a = m.after;
        EXPECT_EQ(MatrixRow(*d, c, 2), (Cells{a[0] * e, a[1] * e, a[2] * e, a[3] * e, a[4] * e, 0, 0, 0, 0}));
      }
    }
    // The finished row is cleared and rotated to the bottom; the pixel's own
    // cell 6 of the new current row is 0, so its error is again +10.
    d->EndRow();
    EXPECT_EQ(d->CurrentColumn(), 4);
    Dither(*d, Grey(111));
    const auto& n = m.next;
    const auto& a = m.after;
    const auto& w = m.current;
    EXPECT_EQ(MatrixRow(*d, 1, 0),
              (Cells{n[0] * e, n[1] * e, n[2] * e, n[3] * e, (n[4] + w[1]) * e, w[0] * e, 0, 0, 0}));
    if (m.rows == 3) {
      EXPECT_EQ(MatrixRow(*d, 1, 1), (Cells{a[0] * e, a[1] * e, a[2] * e, a[3] * e, (a[4] + n[4]) * e, n[3] * e,
                                            n[2] * e, n[1] * e, n[0] * e}));
      EXPECT_EQ(MatrixRow(*d, 1, 2), (Cells{0, 0, 0, 0, a[4] * e, a[3] * e, a[2] * e, a[1] * e, a[0] * e}));
    } else {
      EXPECT_EQ(MatrixRow(*d, 1, 1), (Cells{0, 0, 0, 0, n[4] * e, n[3] * e, n[2] * e, n[1] * e, n[0] * e}));
    }
  }
}

TEST(MatrixDitherers, ZeroErrorSpreadsNothing) {
  for (const MatrixCase& m : kMatrices) {
    TRecordingLookup lookup(Grey(101));
    const auto d = CreateDitherer(m.mode, 2, lookup);
    Dither(*d, Grey(101));
    for (int row = 0; row < m.rows; ++row) EXPECT_EQ(MatrixRow(*d, 0, row), (Cells{0, 0, 0, 0, 0, 0})) << m.mode;
  }
}

TEST(MatrixDitherers, CorrectionRoundsHalfTheDivisorAndTruncates) {
  // One pixel of error e at column 0 leaves next[2] = weight x e for row 1:
  // Stucki 8 x -125 = -1000 -> 130 + (-1000 + 21) / 42 = 130 - 23 = 107.
  struct Case {
    TPaletteDither mode;
    std::uint8_t expected;
  };
  const Case cases[] = {{pdStucki, 107}, {pdSierra, 111}, {pdJaJuNI, 113}, {pdBurkes, 100}};
  for (const Case& c : cases) {
    TRecordingLookup lookup(Grey(255));
    const auto d = CreateDitherer(c.mode, 1, lookup);
    RunRows(*d, MakeBitmap24(1, 2, {Grey(130), Grey(130)}));
    ASSERT_EQ(lookup.Asked.size(), 2u);
    EXPECT_EQ(lookup.Asked[1], Grey(c.expected)) << c.mode;
  }
}

TEST(Ditherers, InlinedRowsMatchPixelByPixelCalls) {
  // The fast row loops must give exactly what DitherPixel gives, row after row.
  const TBitmap picture = test::MakeTestPicture24(67, 41);
  const TPalette palette = test::LoadChatPalette();
  for (TPaletteDither mode : kAllModes) {
    TFastColorLookup fast(palette);
    test::TVirtualOnlyLookup slow(palette);
    const auto inlined = CreateDitherer(mode, picture.Width(), fast);
    const auto byPixel = CreateDitherer(mode, picture.Width(), slow);
    EXPECT_EQ(RunRows(*inlined, picture), RunRows(*byPixel, picture)) << mode;
  }
}

#ifdef QUILL_DIFFUSION_LANES
template <int Divisor>
void ExpectLaneDivisionTruncates() {
  // Every value a cell plus half a divisor can take (|x| <= 48 x 255 + 24).
  for (int x = -12300; x <= 12300; ++x) {
    const __m128i q = lanes::TruncDivide<Divisor>(_mm_set1_epi16(std::int16_t(x)));
    ASSERT_EQ(std::int16_t(_mm_cvtsi128_si32(q)), x / Divisor) << x << " / " << Divisor;
  }
}

TEST(DiffusionLanes, DivisionTruncatesTowardZeroLikeIntegerDivision) {
  ExpectLaneDivisionTruncates<16>();
  ExpectLaneDivisionTruncates<32>();
  ExpectLaneDivisionTruncates<42>();
  ExpectLaneDivisionTruncates<48>();
}
#endif

}  // namespace
}  // namespace quill
