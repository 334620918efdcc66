#include "quill/imaging/DitherEngine.h"

#include <cstring>
#include <typeinfo>

#include "quill/imaging/ErrorDiffusion.h"

namespace quill {

TDitherEngine::TDitherEngine(std::int32_t width, TColorLookup& matcher)
    : lineWidth_(width), matcher_(matcher), fast_(dynamic_cast<TFastColorLookup*>(&matcher)) {}

std::uint8_t TDitherEngine::DitherPixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t& r,
                                        std::uint8_t& g, std::uint8_t& b) {
  const std::uint8_t index = matcher_.MatchColor(red, green, blue, r, g, b);
  currentColumn_ += scanDirection_;
  return index;
}

void TDitherEngine::EndRow() {
  scanDirection_ = -scanDirection_;
  currentColumn_ = scanDirection_ > 0 ? 0 : lineWidth_ - 1;
}

namespace {

// The nearest-colour row loop through a TFastColorLookup's cache.
class TNearestRow {
 public:
  TNearestRow(TFastColorLookup& lookup, const std::uint8_t* source, std::uint8_t* result)
      : lookup_(lookup), cells_(lookup.Cell(0)), empty_(lookup.EmptyCell()), source_(source), result_(result) {}

  void Pixel(std::int32_t column) {
    const std::uint8_t* p = source_ + std::intptr_t(column) * diffusion::kBytesPerPixel;
    std::uint32_t cell = cells_[TFastColorLookup::Key(p[2], p[1], p[0])];
    if (cell == empty_) cell = lookup_.Resolve(p[2], p[1], p[0]);
    result_[column] = TFastColorLookup::IndexOf(cell);
  }

#ifdef QUILL_DIFFUSION_LANES
  // Columns left .. left + 3 when all four colours hit filled cells: their
  // order does not matter then, as nothing changes. Returns false, having
  // written nothing, when any of them misses. Reads exactly the 12 bytes.
  bool FourHit(std::int32_t left) {
    const std::uint8_t* p = source_ + std::intptr_t(left) * diffusion::kBytesPerPixel;
    // Pixels 0 and 1 at bytes 0 and 3 of the low half, 2 and 3 at bytes 0
    // and 3 of the high half; shifting the halves by a byte puts pixels 1
    // and 3 at bytes 4, so each 32-bit lane holds one pixel.
    const __m128i low = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
    const __m128i high = _mm_srli_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + 4)), 16);
    const __m128i halves = _mm_unpacklo_epi64(low, high);
    const __m128i keyBitsEven = _mm_set_epi32(0, 0xF8F8F8, 0, 0xF8F8F8);
    const __m128i keyBitsOdd = _mm_set_epi32(0xF8F8F8, 0, 0xF8F8F8, 0);
    const __m128i bgr =
        _mm_or_si128(_mm_and_si128(halves, keyBitsEven), _mm_and_si128(_mm_slli_epi64(halves, 8), keyBitsOdd));
    // TFastColorLookup::Key on each lane: (b >> 3) << 10 | (g >> 3) << 5 | r >> 3.
    const __m128i keys = _mm_or_si128(_mm_or_si128(_mm_and_si128(_mm_slli_epi32(bgr, 7), _mm_set1_epi32(0x7C00)),
                                                   _mm_and_si128(_mm_srli_epi32(bgr, 6), _mm_set1_epi32(0x3E0))),
                                      _mm_srli_epi32(bgr, 19));
#if defined(__x86_64__) || defined(_M_X64)
    const std::uint64_t keys01 = std::uint64_t(_mm_cvtsi128_si64(keys));
    const std::uint64_t keys23 = std::uint64_t(_mm_cvtsi128_si64(_mm_unpackhi_epi64(keys, keys)));
    const std::uint32_t k0 = std::uint32_t(keys01), k1 = std::uint32_t(keys01 >> 32);
    const std::uint32_t k2 = std::uint32_t(keys23), k3 = std::uint32_t(keys23 >> 32);
#else
    const std::uint32_t k0 = std::uint32_t(_mm_cvtsi128_si32(keys));
    const std::uint32_t k1 = std::uint32_t(_mm_cvtsi128_si32(_mm_shuffle_epi32(keys, 1)));
    const std::uint32_t k2 = std::uint32_t(_mm_cvtsi128_si32(_mm_shuffle_epi32(keys, 2)));
    const std::uint32_t k3 = std::uint32_t(_mm_cvtsi128_si32(_mm_shuffle_epi32(keys, 3)));
#endif
    const std::uint32_t c0 = cells_[k0], c1 = cells_[k1], c2 = cells_[k2], c3 = cells_[k3];
    if (c0 == empty_ || c1 == empty_ || c2 == empty_ || c3 == empty_) return false;
    // The indices are the cells' top bytes.
    const std::uint32_t four = (c0 >> 24) | ((c1 >> 16) & 0xFF00) | ((c2 >> 8) & 0xFF0000) | (c3 & 0xFF000000);
    const std::uint8_t bytes[4] = {std::uint8_t(four), std::uint8_t(four >> 8), std::uint8_t(four >> 16),
                                   std::uint8_t(four >> 24)};
    std::memcpy(result_ + left, bytes, sizeof bytes);
    return true;
  }
#endif

 private:
  TFastColorLookup& lookup_;
  const std::uint32_t* cells_;
  std::uint32_t empty_;
  const std::uint8_t* source_;
  std::uint8_t* result_;
};

}  // namespace

void TDitherEngine::DitherRow(const std::uint8_t* source, std::uint8_t* result) {
  // A descendant that keeps this loop but changes DitherPixel must get its own
  // DitherPixel called, so only the plain engine takes the inlined loop.
  if (fast_ == nullptr || typeid(*this) != typeid(TDitherEngine)) {
    DitherRowByPixel(source, result);
    return;
  }
  // The scan order matters even here: the first colour to miss a cache cell
  // decides the answer for every later colour with the same key. Four pixels
  // that all hit change nothing and may be taken at once; four with a miss
  // among them are taken again one by one in scan order.
  TNearestRow row(*fast_, source, result);
  const std::int32_t width = lineWidth_;
  std::int32_t column = currentColumn_;
  if (column < 0 || column >= width) return;
  constexpr std::int32_t kBatch = 4;
  if (scanDirection_ > 0) {
#ifdef QUILL_DIFFUSION_LANES
    for (; column <= width - kBatch; column += kBatch)
      if (!row.FourHit(column))
        for (int i = 0; i < kBatch; ++i) row.Pixel(column + i);
#endif
    for (; column < width; ++column) row.Pixel(column);
  } else {
#ifdef QUILL_DIFFUSION_LANES
    for (; column >= kBatch - 1; column -= kBatch)
      if (!row.FourHit(column - (kBatch - 1)))
        for (int i = 0; i < kBatch; ++i) row.Pixel(column - i);
#endif
    for (; column >= 0; --column) row.Pixel(column);
  }
  currentColumn_ = column;
}

void TDitherEngine::DitherRowByPixel(const std::uint8_t* source, std::uint8_t* result) {
  std::uint8_t r, g, b;  // the matched colour is not needed here
  while (currentColumn_ >= 0 && currentColumn_ < lineWidth_) {
    const std::int32_t column = currentColumn_;
    const std::uint8_t* pixel = source + std::intptr_t(column) * diffusion::kBytesPerPixel;
    result[column] = DitherPixel(pixel[2], pixel[1], pixel[0], r, g, b);
  }
}

}  // namespace quill
