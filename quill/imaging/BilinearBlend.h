#pragma once
// The bilinear blend of four neighbouring pixels with 8-bit weights:
// CombineColors(CombineColors(p00, p10, wx), CombineColors(p01, p11, wx), wy).
// The hot loop of the affine transformation spends its time here, so with SSE2
// the blend runs on all four channels at once in 16-bit lanes: every product
// and sum of the formula stays below 65536, so the lanes give exactly the
// integer results of CombineColors.
#include <array>
#include <cstddef>
#include <cstdint>

#include "quill/imaging/CombineColors.h"

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define QUILL_BILINEAR_SSE2 1
#endif

namespace quill {

inline TColor32 BilinearBlend(TColor32 p00, TColor32 p10, TColor32 p01, TColor32 p11, std::uint32_t wx,
                              std::uint32_t wy) {
  return CombineColors(CombineColors(p00, p10, wx), CombineColors(p01, p11, wx), wy);
}

#ifdef QUILL_BILINEAR_SSE2

// Weight pairs (w four times, then 256 - w four times) for every 8-bit weight.
struct alignas(16) TWeightPair {
  std::uint16_t lanes[8];
};

constexpr std::array<TWeightPair, 256> MakeWeightPairs() {
  std::array<TWeightPair, 256> table{};
  for (int w = 0; w < 256; ++w)
    for (int i = 0; i < 4; ++i) {
      table[std::size_t(w)].lanes[i] = std::uint16_t(w);
      table[std::size_t(w)].lanes[i + 4] = std::uint16_t(256 - w);
    }
  return table;
}

inline constexpr std::array<TWeightPair, 256> kWeightPairs = MakeWeightPairs();

inline __m128i WeightPair(std::uint32_t w) {
  return _mm_load_si128(reinterpret_cast<const __m128i*>(kWeightPairs[w].lanes));
}

// upper points at p00 with p10 after it, lower at p01 with p11 after it.
inline TColor32 BilinearBlendAdjacent(const TColor32* upper, const TColor32* lower, std::uint32_t wx,
                                      std::uint32_t wy) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i half = _mm_set1_epi16(128);
  const __m128i wxPair = WeightPair(wx);
  // p00 | p10 and p01 | p11, each channel widened to 16 bits, times wx | 256 - wx.
  const __m128i top =
      _mm_mullo_epi16(_mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(upper)), zero), wxPair);
  const __m128i bottom =
      _mm_mullo_epi16(_mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(lower)), zero), wxPair);
  // Horizontal mixes of both rows side by side: (p00 wx + p10 (256 - wx) + 128) >> 8 | same below.
  __m128i mixed = _mm_add_epi16(_mm_unpacklo_epi64(top, bottom), _mm_unpackhi_epi64(top, bottom));
  mixed = _mm_srli_epi16(_mm_add_epi16(mixed, half), 8);
  // Vertical mix of the two.
  mixed = _mm_mullo_epi16(mixed, WeightPair(wy));
  mixed = _mm_add_epi16(mixed, _mm_unpackhi_epi64(mixed, mixed));
  mixed = _mm_srli_epi16(_mm_add_epi16(mixed, half), 8);
  return TColor32(_mm_cvtsi128_si32(_mm_packus_epi16(mixed, mixed)));
}

#else

inline TColor32 BilinearBlendAdjacent(const TColor32* upper, const TColor32* lower, std::uint32_t wx,
                                      std::uint32_t wy) {
  return BilinearBlend(upper[0], upper[1], lower[0], lower[1], wx, wy);
}

#endif

}  // namespace quill
