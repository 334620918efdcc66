#pragma once
// Pieces shared by the error-diffusing ditherers: the channel clamp, the
// diffusion matrices of the 5x3 family and Burkes, and the per-pixel spread
// over error cells. Cells are kept four to a column (see DiffusionLanes.h),
// so the cells of one channel lie lanes::kLanes apart.
#include <cstdint>

#include "quill/imaging/DiffusionLanes.h"

namespace quill::diffusion {

constexpr int kChannels = 3;  // red, green, blue in the ditherers' accessors
constexpr int kBytesPerPixel = 3;

inline std::int32_t ClampChannel(std::int32_t value) { return value < 0 ? 0 : (value > 255 ? 255 : value); }

// A matrix: the pixel's own row takes weights at offsets +1 and +2 of the
// scan, each lower row at -2 .. +2; kDivisor is the sum of all weights.
struct TStuckiWeights {
  static constexpr int kRows = 3;
  static constexpr int kDivisor = 42;
  static constexpr int kCurrent[2] = {8, 4};
  static constexpr int kNext[5] = {2, 4, 8, 4, 2};
  static constexpr int kAfter[5] = {1, 2, 4, 2, 1};
};

struct TSierraWeights {
  static constexpr int kRows = 3;
  static constexpr int kDivisor = 32;
  static constexpr int kCurrent[2] = {5, 3};
  static constexpr int kNext[5] = {2, 4, 5, 4, 2};
  static constexpr int kAfter[5] = {0, 2, 3, 2, 0};
};

struct TJaJuNiWeights {
  static constexpr int kRows = 3;
  static constexpr int kDivisor = 48;
  static constexpr int kCurrent[2] = {7, 5};
  static constexpr int kNext[5] = {3, 5, 7, 5, 3};
  static constexpr int kAfter[5] = {1, 3, 5, 3, 1};
};

struct TBurkesWeights {
  static constexpr int kRows = 2;
  static constexpr int kDivisor = 32;
  static constexpr int kCurrent[2] = {8, 4};
  static constexpr int kNext[5] = {2, 4, 8, 4, 2};
  static constexpr int kAfter[5] = {0, 0, 0, 0, 0};
};

// The channel plus the shares waiting in its cell, (cell + kDivisor / 2) /
// kDivisor with the division truncating toward zero, clamped to a byte.
template <class Weights>
inline std::int32_t MatrixCorrected(std::int32_t channel, std::int32_t cell) {
  return ClampChannel(channel + (cell + Weights::kDivisor / 2) / Weights::kDivisor);
}

// Adds weight x error to one channel's cells around the pixel; step is the
// scan direction, so +1 is always the next pixel of the scan.
template <class Weights>
inline void SpreadMatrix(std::int16_t* current, std::int16_t* next, std::int16_t* after, std::int32_t step,
                         std::int32_t error) {
  if (error == 0) return;
  const std::int32_t cell = step * lanes::kLanes;
  current[cell] = std::int16_t(current[cell] + Weights::kCurrent[0] * error);
  current[2 * cell] = std::int16_t(current[2 * cell] + Weights::kCurrent[1] * error);
  for (int k = 0; k < 5; ++k) {
    std::int16_t& n = next[(k - 2) * cell];
    n = std::int16_t(n + Weights::kNext[k] * error);
    if constexpr (Weights::kRows == 3) {
      std::int16_t& a = after[(k - 2) * cell];
      a = std::int16_t(a + Weights::kAfter[k] * error);
    }
  }
}

}  // namespace quill::diffusion
