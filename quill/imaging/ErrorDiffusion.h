#pragma once
// Pieces shared by the error-diffusing ditherers: the channel clamp, the
// inlined matcher call, and the row loop of the matrix ditherers (the 5x3
// family and Burkes). Both the per-pixel virtual path and the fast row loops
// use these same formulas, so the two give the same indices.
#include <cstdint>

#include "quill/imaging/ColorLookup.h"

namespace quill::diffusion {

// Channels are kept in the order red, green, blue; a 24-bit source pixel
// stores them blue, green, red.
constexpr int kChannels = 3;
constexpr int kBytesPerPixel = 3;
constexpr int kSourceOffset[kChannels] = {2, 1, 0};

inline std::int32_t ClampChannel(std::int32_t value) { return value < 0 ? 0 : (value > 255 ? 255 : value); }

// The fast matcher called without a virtual dispatch: the index, and the
// matched entry's channels in matched.
struct TInlineMatch {
  TFastColorLookup& lookup;
  std::uint8_t operator()(const std::int32_t value[kChannels], std::int32_t matched[kChannels]) const {
    const std::uint8_t index = lookup.Match(std::uint32_t(value[0]), std::uint32_t(value[1]), std::uint32_t(value[2]));
    const TPaletteEntry& e = lookup.Entry(index);
    matched[0] = e.Red;
    matched[1] = e.Green;
    matched[2] = e.Blue;
    return index;
  }
};

// A diffusion matrix: the pixel's own row takes weights at offsets +1 and +2
// of the scan; each lower row takes weights at -2 .. +2. Weights describes it
// with kRows (2 or 3), kDivisor, kCurrent[2], kNext[5] and, for three rows,
// kAfter[5].
template <class Weights>
inline std::int32_t MatrixCorrected(std::int32_t channel, std::int32_t cell) {
  // Signed division truncates toward zero: a share of -9 / 42 adds nothing.
  return ClampChannel(channel + (cell + Weights::kDivisor / 2) / Weights::kDivisor);
}

// Adds weight x error to the cells around the pixel. step is the scan
// direction, so +1 is always the next pixel of the scan.
template <class Weights>
inline void SpreadMatrix(std::int32_t* current, std::int32_t* next, std::int32_t* after, std::int32_t step,
                         std::int32_t error) {
  if (error == 0) return;
  current[step] += Weights::kCurrent[0] * error;
  current[2 * step] += Weights::kCurrent[1] * error;
  for (int k = 0; k < 5; ++k) next[(k - 2) * step] += Weights::kNext[k] * error;
  if constexpr (Weights::kRows == 3) {
    for (int k = 0; k < 5; ++k) {
      if (Weights::kAfter[k] != 0) after[(k - 2) * step] += Weights::kAfter[k] * error;
    }
  }
}

// The row loop of a matrix ditherer. cells[c][r] points at row r (0 the
// current row) of channel c at the cell of the pixel in column; every pointer
// moves with the scan. Returns the column one step past the row.
template <class Weights>
std::int32_t RunMatrixRow(const std::uint8_t* source, std::uint8_t* result, std::int32_t column, std::int32_t width,
                          std::int32_t step, std::int32_t* cells[kChannels][3], TInlineMatch match) {
  std::int32_t* red[3] = {cells[0][0], cells[0][1], cells[0][2]};
  std::int32_t* green[3] = {cells[1][0], cells[1][1], cells[1][2]};
  std::int32_t* blue[3] = {cells[2][0], cells[2][1], cells[2][2]};
  const std::uint8_t* pixel = source + std::intptr_t(column) * kBytesPerPixel;
  const std::intptr_t pixelStep = std::intptr_t(step) * kBytesPerPixel;
  for (; std::uint32_t(column) < std::uint32_t(width); column += step, pixel += pixelStep) {
    std::int32_t value[kChannels] = {MatrixCorrected<Weights>(pixel[2], *red[0]),
                                     MatrixCorrected<Weights>(pixel[1], *green[0]),
                                     MatrixCorrected<Weights>(pixel[0], *blue[0])};
    std::int32_t matched[kChannels];
    result[column] = match(value, matched);
    SpreadMatrix<Weights>(red[0], red[1], red[2], step, value[0] - matched[0]);
    SpreadMatrix<Weights>(green[0], green[1], green[2], step, value[1] - matched[1]);
    SpreadMatrix<Weights>(blue[0], blue[1], blue[2], step, value[2] - matched[2]);
    for (int r = 0; r < Weights::kRows; ++r) {
      red[r] += step;
      green[r] += step;
      blue[r] += step;
    }
  }
  return column;
}

}  // namespace quill::diffusion
