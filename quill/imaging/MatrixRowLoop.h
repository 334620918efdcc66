#pragma once
// The fast row loop of the matrix ditherers (the 5x3 family and Burkes), with
// the channels of a pixel in SSE2 lanes. It gives exactly what DitherPixel
// with SpreadMatrix gives, cells included.
#include <cstdint>

#include "quill/imaging/ErrorDiffusion.h"

namespace quill::diffusion {

#ifdef QUILL_DIFFUSION_LANES

// rows[r] points at the cells of the pixel in column within row r (0 the
// current row). Returns the column one step past the row.
template <class Weights>
std::int32_t RunMatrixRow(const std::uint8_t* source, std::uint8_t* result, std::int32_t column, std::int32_t width,
                          std::int32_t step, std::int16_t* const rows[3], TFastColorLookup& lookup) {
  using namespace lanes;
  const std::intptr_t cellStep = std::intptr_t(step) * kLanes;
  std::int16_t* current = rows[0];
  std::int16_t* next = rows[1];
  std::int16_t* after = rows[2];
  const std::uint8_t* pixel = source + std::intptr_t(column) * kBytesPerPixel;
  const std::intptr_t pixelStep = std::intptr_t(step) * kBytesPerPixel;
  const __m128i half = _mm_set1_epi16(std::int16_t(Weights::kDivisor / 2));
  const TCacheView cache(lookup);
  // The pixel's own cell and the next one live in registers while the scan
  // passes; each is written back once it can take no more shares.
  __m128i own = LoadCells(current);
  __m128i ahead = LoadCells(current + cellStep);
  for (const std::uint32_t end = std::uint32_t(width); std::uint32_t(column) < end;
       column += step, pixel += pixelStep) {
    const __m128i sum = _mm_add_epi16(LoadPixel(pixel), TruncDivide<Weights::kDivisor>(_mm_add_epi16(own, half)));
    __m128i v;
    std::uint8_t index;
    // Matched first: v is set by the call, and argument order is unspecified.
    const __m128i matched = ClampAndMatch(cache, sum, v, index);
    const __m128i e = _mm_sub_epi16(v, matched);
    result[column] = index;
    StoreCells(current, own);
    own = _mm_add_epi16(ahead, Times<Weights::kCurrent[0]>(e));
    ahead = _mm_add_epi16(LoadCells(current + 2 * cellStep), Times<Weights::kCurrent[1]>(e));
    AddCells(next - 2 * cellStep, Times<Weights::kNext[0]>(e));
    AddCells(next - cellStep, Times<Weights::kNext[1]>(e));
    AddCells(next, Times<Weights::kNext[2]>(e));
    AddCells(next + cellStep, Times<Weights::kNext[3]>(e));
    AddCells(next + 2 * cellStep, Times<Weights::kNext[4]>(e));
    if constexpr (Weights::kRows == 3) {
      if constexpr (Weights::kAfter[0] != 0) AddCells(after - 2 * cellStep, Times<Weights::kAfter[0]>(e));
      AddCells(after - cellStep, Times<Weights::kAfter[1]>(e));
      AddCells(after, Times<Weights::kAfter[2]>(e));
      AddCells(after + cellStep, Times<Weights::kAfter[3]>(e));
      if constexpr (Weights::kAfter[4] != 0) AddCells(after + 2 * cellStep, Times<Weights::kAfter[4]>(e));
      after += cellStep;
    }
    current += cellStep;
    next += cellStep;
  }
  // The two cells past the row keep the overhang, as the per-pixel path leaves them.
  StoreCells(current, own);
  StoreCells(current + cellStep, ahead);
  return column;
}

#endif  // QUILL_DIFFUSION_LANES

}  // namespace quill::diffusion
