#pragma once
// The fast row loops keep the three channels of a pixel in the 16-bit lanes
// of one SSE2 register, in the order a 24-bit pixel stores them: lane 0 blue,
// 1 green, 2 red; lane 3 is scratch that never reaches the other lanes. The
// error cells use the same layout in memory, four 16-bit cells per column, so
// a pixel's three cells move as one 64-bit word. The cells and shares stay
// within +-12288 (at most the sum of a matrix's weights times 255), and the
// scaled and biased sums of the Floyd-Steinberg loop within 0..12600 (see
// there), so 16 bits hold exactly what 32-bit arithmetic would.
//
// Every loop here must give exactly what the per-pixel DitherPixel path gives;
// the ditherer tests compare the two on whole pictures.
#include <cstdint>
#include <cstring>

#include "quill/imaging/ColorLookup.h"

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define QUILL_DIFFUSION_LANES 1
#include <emmintrin.h>
#endif

namespace quill::lanes {

constexpr int kLanes = 4;
// Lane of each channel in the order the ditherers' accessors use (red, green, blue).
constexpr int kLaneOf[3] = {2, 1, 0};

#ifdef QUILL_DIFFUSION_LANES

inline __m128i Zero() { return _mm_setzero_si128(); }

// The value itself, hidden from the compiler's reassociation: keeps a sum
// in the order written when that order shortens a chain of dependent steps.
inline __m128i Opaque(__m128i v) {
#ifdef __GNUC__
  __asm__("" : "+x"(v));
#endif
  return v;
}

// One source pixel (blue, green, red bytes); reads exactly three bytes.
inline __m128i LoadPixel(const std::uint8_t* p) {
  const int bgr = int(std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16);
  return _mm_unpacklo_epi8(_mm_cvtsi32_si128(bgr), Zero());
}

// One source pixel from a four-byte read: blue, green, red in lanes 0 to 2,
// the byte after the pixel in lane 3. Only for a pixel that is not the last
// of its row, so that the read stays inside the row.
inline __m128i LoadPixelAndNext(const std::uint8_t* p) {
  std::uint32_t bgrx;
  std::memcpy(&bgrx, p, sizeof bgrx);
  return _mm_unpacklo_epi8(_mm_cvtsi32_si128(int(bgrx)), Zero());
}

inline __m128i LoadCells(const std::int16_t* cell) { return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(cell)); }
inline void StoreCells(std::int16_t* cell, __m128i v) { _mm_storel_epi64(reinterpret_cast<__m128i*>(cell), v); }
inline void AddCells(std::int16_t* cell, __m128i v) { StoreCells(cell, _mm_add_epi16(LoadCells(cell), v)); }

// Lanes of mask (all ones or all zeros) pick ifSet, the others ifClear.
inline __m128i Select(__m128i mask, __m128i ifSet, __m128i ifClear) {
  return _mm_or_si128(_mm_and_si128(mask, ifSet), _mm_andnot_si128(mask, ifClear));
}

// x / Divisor truncated toward zero, for |x| <= 12300. Powers of two add
// Divisor - 1 to negative values before the shift; 42 and 48 multiply by a
// rounded-up reciprocal (2^20 / Divisor), which is exact in that range, and
// add 1 back to negative quotients.
template <int Divisor>
inline __m128i TruncDivide(__m128i x) {
  static_assert(Divisor == 16 || Divisor == 32 || Divisor == 42 || Divisor == 48, "no reciprocal for divisor");
  if constexpr (Divisor == 16 || Divisor == 32) {
    constexpr int kShift = Divisor == 16 ? 4 : 5;
    const __m128i bias = _mm_srli_epi16(_mm_srai_epi16(x, 15), 16 - kShift);
    return _mm_srai_epi16(_mm_add_epi16(x, bias), kShift);
  } else {
    constexpr int kReciprocal = ((1 << 20) + Divisor - 1) / Divisor;
    const __m128i q = _mm_srai_epi16(_mm_mulhi_epi16(x, _mm_set1_epi16(std::int16_t(kReciprocal))), 4);
    return _mm_sub_epi16(q, _mm_srai_epi16(x, 15));
  }
}

template <int Weight>
inline __m128i Times(__m128i e) {
  if constexpr (Weight == 0) return Zero();
  if constexpr (Weight == 1) return e;
  if constexpr (Weight == 2) return _mm_add_epi16(e, e);
  if constexpr (Weight == 3) return _mm_add_epi16(_mm_add_epi16(e, e), e);
  if constexpr (Weight == 4) return _mm_slli_epi16(e, 2);
  if constexpr (Weight == 5) return _mm_add_epi16(_mm_slli_epi16(e, 2), e);
  if constexpr (Weight == 7) return _mm_sub_epi16(_mm_slli_epi16(e, 3), e);
  if constexpr (Weight == 8) return _mm_slli_epi16(e, 3);
  static_assert(Weight >= 0 && Weight <= 8 && Weight != 6, "weight not provided");
  return Zero();
}

// The lookup's cache as a row loop holds it: plain values the compiler can
// keep in registers across the loop's stores.
struct TCacheView {
  explicit TCacheView(TFastColorLookup& l) : lookup(l), cells(l.Cell(0)), empty(l.EmptyCell()) {}
  TFastColorLookup& lookup;
  const std::uint32_t* cells;
  std::uint32_t empty;
};

// The filled cache cell of the colour whose blue, green and red are bytes 0,
// 1 and 2 of bgr; byte 3 is ignored. Red picks a block of cells apart from
// the rest of the key, so that the address takes three steps, not five.
inline const std::uint32_t* FilledCell(const TCacheView& cache, std::uint32_t bgr) {
  const std::uint32_t* block = cache.cells + ((bgr >> 19) & 0x1F);
#ifdef __GNUC__
  // Keeps the compiler from folding the block back into one index.
  __asm__("" : "+r"(block));
#endif
  const std::uint32_t* cell = block + (((bgr & 0xF8) << 7) | ((bgr >> 6) & 0x3E0));
  if (*cell == cache.empty) cache.lookup.Resolve((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
  return cell;
}

// The filled cache cell for the colour u / 16, where u holds 16 x a
// channel (0 to 4095) in lanes 0 to 2 and 0 in lane 3; the cell is also
// returned as the low word of bytes, read from the cache straight into the
// vector register where that saves a step.
#if defined(__x86_64__) || defined(_M_X64) || defined(__i386__) || defined(_M_IX86)
#define QUILL_LANES_READ_CELL 1
// Cell number rest of the block of cells at address block, returned and also
// given as the low word of bytes: read twice, once into the vector register,
// where the compiler would make one read and a move between register files.
inline std::uint32_t ReadCell(std::uintptr_t block, std::uintptr_t rest, __m128i& bytes) {
  std::uint32_t cell;
#ifdef __GNUC__
  __asm__("movl (%2,%3,4), %0\n\tmovd (%2,%3,4), %1" : "=&r"(cell), "=x"(bytes) : "r"(block), "r"(rest) : "memory");
#else
  cell = reinterpret_cast<const std::uint32_t*>(block)[rest];
  bytes = _mm_cvtsi32_si128(int(cell));
#endif
  return cell;
}
#endif

#if defined(__x86_64__) || defined(_M_X64)
// The key's five bits of each channel are bits 7 to 11 of its lane. Blue's
// bits pick a 4 KB block of cells and green's and red's the cell in it, each
// part in shifts and masks that take one step apiece (a shift by 3 would
// become a slower address computation), the load adding the two.
inline std::uint32_t TopBitsMatch(const TCacheView& cache, __m128i u, __m128i& bytes) {
  const std::uint64_t lanes = std::uint64_t(_mm_cvtsi128_si64(u));
  const std::uint64_t block = reinterpret_cast<std::uint64_t>(cache.cells) + ((lanes << 5) & 0x1F000);
  const std::uint32_t cell = ReadCell(block, ((lanes >> 18) & 0x3E0) | (lanes >> 39), bytes);
  if (cell != cache.empty) return cell;
  const std::uint32_t filled = cache.lookup.Resolve(
      std::uint32_t(lanes >> 36) & 0xFF, std::uint32_t(lanes >> 20) & 0xFF, std::uint32_t(lanes >> 4) & 0xFF);
  bytes = _mm_cvtsi32_si128(int(filled));
  return filled;
}
#elif defined(QUILL_LANES_READ_CELL)
// The 32-bit build has no 64-bit move out of the vector register: blue and
// green come out as one 32-bit word and red beside it (in parallel), then the
// same block and cell as above.
inline std::uint32_t TopBitsMatch(const TCacheView& cache, __m128i u, __m128i& bytes) {
  const std::uint32_t blueGreen = std::uint32_t(_mm_cvtsi128_si32(u));
  const std::uint32_t red = std::uint32_t(_mm_extract_epi16(u, 2));
  const std::uintptr_t block = reinterpret_cast<std::uintptr_t>(cache.cells) + ((blueGreen << 5) & 0x1F000);
  const std::uint32_t cell = ReadCell(block, ((blueGreen >> 18) & 0x3E0) | (red >> 7), bytes);
  if (cell != cache.empty) return cell;
  const std::uint32_t filled =
      cache.lookup.Resolve((red >> 4) & 0xFF, (blueGreen >> 20) & 0xFF, (blueGreen >> 4) & 0xFF);
  bytes = _mm_cvtsi32_si128(int(filled));
  return filled;
}
#else
inline std::uint32_t TopBitsMatch(const TCacheView& cache, __m128i u, __m128i& bytes) {
  const __m128i colour = _mm_packus_epi16(_mm_srai_epi16(u, 4), Zero());
  const std::uint32_t cell = *FilledCell(cache, std::uint32_t(_mm_cvtsi128_si32(colour)));
  bytes = _mm_cvtsi32_si128(int(cell));
  return cell;
}
#endif

// Clamps the lanes of sum to 0..255 into v and matches that colour through
// the lookup's cache: returns the entry's channels (lane 3 holds the index)
// and the index in index.
inline __m128i ClampAndMatch(const TCacheView& cache, __m128i sum, __m128i& v, std::uint8_t& index) {
  __m128i bytes;
  std::uint32_t cell;
#if defined(__x86_64__) || defined(_M_X64)
  // As TopBitsMatch, from bits 3 to 7 of each lane; lane 3 may hold anything.
  v = _mm_min_epi16(_mm_max_epi16(sum, Zero()), _mm_set1_epi16(255));
  const std::uint64_t lanes = std::uint64_t(_mm_cvtsi128_si64(v));
  const std::uint64_t block = reinterpret_cast<std::uint64_t>(cache.cells) + ((lanes << 9) & 0x1F000);
  cell = ReadCell(block, ((lanes >> 14) & 0x3E0) | ((lanes >> 35) & 0x1F), bytes);
  if (cell == cache.empty) {
    cell = cache.lookup.Resolve(std::uint32_t(lanes >> 32) & 0xFF, std::uint32_t(lanes >> 16) & 0xFF,
                                std::uint32_t(lanes) & 0xFF);
    bytes = _mm_cvtsi32_si128(int(cell));
  }
#else
  // The saturating pack is the clamp. (The 32-bit build takes this path too:
  // there the two-word key of TopBitsMatch measured slower for these modes.)
  const __m128i colour = _mm_packus_epi16(sum, sum);
  v = _mm_unpacklo_epi8(colour, Zero());
  cell = *FilledCell(cache, std::uint32_t(_mm_cvtsi128_si32(colour)));
  bytes = _mm_cvtsi32_si128(int(cell));
#endif
  index = TFastColorLookup::IndexOf(cell);
  return _mm_unpacklo_epi8(bytes, Zero());
}

#endif  // QUILL_DIFFUSION_LANES

}  // namespace quill::lanes
