// The ditherers' fast row loops against their per-pixel path (DitherPixel
// through a matcher seen only via the virtual interface), on pictures and
// palettes chosen to reach every corner of the loops: clamping at both ends,
// exact matches in some channels only, many cache misses, rows of one and
// two pixels, and rows begun in the middle.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "quill/imaging/FloydSteinbergDitherer.h"
#include "quill/imaging/ReduceToPalette.h"
#include "tests/imaging/reduce_test_support.h"

namespace quill {
namespace {

using test::MakePalette;
using test::TRgb;

const TPaletteDither kAllModes[] = {pdNearest, pdFloydSteinberg, pdStucki, pdSierra, pdJaJuNI, pdBurkes};

// Rows held one vector each, exactly 3 x width bytes long, so that a loop
// reading past its row's end reads past an allocation (which the address
// sanitizer reports).
using TRows = std::vector<std::vector<std::uint8_t>>;

TRows RowsOf(const TBitmap& picture) {
  TRows rows;
  for (int y = 0; y < picture.Height(); ++y) {
    const std::uint8_t* row = picture.ScanLine(y);
    rows.emplace_back(row, row + 3 * picture.Width());
  }
  return rows;
}

// Noise that is mostly the channel extremes and values next to them: the
// corrected colours clamp at both ends and many channels match exactly.
TRows ExtremeNoise(int width, int height, std::uint32_t seed) {
  const std::uint8_t values[] = {0, 0, 1, 7, 8, 128, 247, 248, 254, 255, 255};
  TRows rows(height, std::vector<std::uint8_t>(std::size_t(width) * 3));
  for (auto& row : rows)
    for (auto& byte : row) {
      seed = seed * 1664525u + 1013904223u;
      byte = values[(seed >> 24) % (sizeof values)];
    }
  return rows;
}

// Each mode's ditherer over the rows, begun per row at the column the scan
// reaches after `byPixel` single DitherPixel calls, then DitherRow.
std::vector<std::uint8_t> Run(TDitherEngine& d, const TRows& rows, int width, int byPixel) {
  std::vector<std::uint8_t> out;
  for (const auto& row : rows) {
    std::vector<std::uint8_t> indices(std::size_t(width), 0xEE);
    for (int i = 0; i < byPixel && d.CurrentColumn() >= 0 && d.CurrentColumn() < width; ++i) {
      const int column = d.CurrentColumn();
      const std::uint8_t* p = row.data() + 3 * column;
      std::uint8_t r, g, b;
      indices[std::size_t(column)] = d.DitherPixel(p[2], p[1], p[0], r, g, b);
    }
    d.DitherRow(row.data(), indices.data());
    d.EndRow();
    out.insert(out.end(), indices.begin(), indices.end());
  }
  return out;
}

void ExpectSameAsByPixel(const TRows& rows, int width, const TPalette& palette, int byPixel) {
  for (TPaletteDither mode : kAllModes) {
    TFastColorLookup fast(palette);
    test::TVirtualOnlyLookup slow(palette);
    const auto inlined = CreateDitherer(mode, width, fast);
    const auto reference = CreateDitherer(mode, width, slow);
    ASSERT_EQ(Run(*inlined, rows, width, byPixel), Run(*reference, rows, width, byPixel))
        << "mode " << mode << ", width " << width << ", " << byPixel << " pixels by hand";
    if (mode == pdFloydSteinberg) {
      // The state left behind must match too, carry included.
      const auto& a = static_cast<const TFloydSteinbergDitherer&>(*inlined);
      const auto& b = static_cast<const TFloydSteinbergDitherer&>(*reference);
      for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(a.Channel(c).ErrorRow, b.Channel(c).ErrorRow) << c;
        EXPECT_EQ(a.Channel(c).Carry, b.Channel(c).Carry) << c;
      }
      EXPECT_EQ(a.Position(), b.Position());
    }
  }
}

TPalette BlackAndWhite() { return MakePalette({{0, 0, 0}, {255, 255, 255}}); }

TPalette Primaries() {
  return MakePalette({{0, 0, 0},
                      {255, 0, 0},
                      {0, 255, 0},
                      {0, 0, 255},
                      {255, 255, 0},
                      {0, 255, 255},
                      {255, 0, 255},
                      {255, 255, 255},
                      {128, 128, 128},
                      {7, 7, 7}});
}

TEST(FastRows, PhotoLikePicturesInEveryWidth) {
  const TPalette chat = test::LoadChatPalette();
  for (int width : {1, 2, 3, 5, 16, 31}) {
    const TRows rows = RowsOf(test::MakeTestPicture24(width, 9));
    ExpectSameAsByPixel(rows, width, chat, 0);
    ExpectSameAsByPixel(rows, width, Primaries(), 0);
  }
}

TEST(FastRows, ClampingAndPartlyExactMatches) {
  for (int width : {1, 2, 7, 40}) {
    const TRows rows = ExtremeNoise(width, 12, 12345u + std::uint32_t(width));
    ExpectSameAsByPixel(rows, width, BlackAndWhite(), 0);
    ExpectSameAsByPixel(rows, width, Primaries(), 0);
    ExpectSameAsByPixel(rows, width, test::LoadChatPalette(), 0);
  }
}

TEST(FastRows, RowsBegunInTheMiddle) {
  // The loops pick up the state the per-pixel calls left: carry, shares,
  // position and column.
  const TRows rows = RowsOf(test::MakeTestPicture24(23, 6));
  for (int byPixel : {1, 2, 11, 22}) ExpectSameAsByPixel(rows, 23, test::LoadChatPalette(), byPixel);
  const TRows noise = ExtremeNoise(9, 6, 99u);
  for (int byPixel : {1, 4, 8}) ExpectSameAsByPixel(noise, 9, Primaries(), byPixel);
}

TEST(FastRows, NearestRightToLeftRowFillsTheCacheFromTheRight) {
  // Greys 128 and 135 share a key; alone, 128 goes to entry 0 and 135 to
  // entry 1. Row 1 runs right to left, so its rightmost pixel, 135, fills
  // the cell first and every 128 after it in the scan takes entry 1, also
  // inside a group of four read at once.
  const TPalette palette = MakePalette({{100, 100, 100}, {165, 165, 165}});
  TBitmap picture = test::MakeBitmap24(
      9, 2,
      {test::Grey(0), test::Grey(0), test::Grey(0), test::Grey(0), test::Grey(0), test::Grey(0), test::Grey(0),
       test::Grey(0), test::Grey(0), test::Grey(128), test::Grey(128), test::Grey(128), test::Grey(128),
       test::Grey(128), test::Grey(128), test::Grey(128), test::Grey(128), test::Grey(135)});
  const auto result = ReduceToPalette(picture, palette, pdNearest);
  const std::vector<std::uint8_t> want(9, 1);
  const std::uint8_t* row1 = result->ScanLine(1);
  EXPECT_EQ(std::vector<std::uint8_t>(row1, row1 + 9), want);
  ExpectSameAsByPixel(RowsOf(picture), 9, palette, 0);
}

TEST(FastRows, RowAlreadyFinishedIsLeftAlone) {
  TFastColorLookup lookup(Primaries());
  for (TPaletteDither mode : kAllModes) {
    const auto d = CreateDitherer(mode, 2, lookup);
    const TRows rows = ExtremeNoise(2, 1, 5u);
    std::uint8_t r, g, b;
    d->DitherPixel(1, 2, 3, r, g, b);
    d->DitherPixel(4, 5, 6, r, g, b);
    std::uint8_t indices[2] = {0xEE, 0xEE};
    d->DitherRow(rows[0].data(), indices);
    EXPECT_EQ(indices[0], 0xEE) << mode;
    EXPECT_EQ(d->CurrentColumn(), 2) << mode;
  }
}

TEST(FastRows, ZeroWidthRowsDoNothing) {
  TFastColorLookup lookup(Primaries());
  for (TPaletteDither mode : kAllModes) {
    const auto d = CreateDitherer(mode, 0, lookup);
    std::uint8_t unused = 0xEE;
    d->DitherRow(&unused, &unused);
    d->EndRow();
    d->DitherRow(&unused, &unused);
    EXPECT_EQ(unused, 0xEE) << mode;
  }
}

}  // namespace
}  // namespace quill
