#include "quill/imaging/FloydSteinbergDitherer.h"

#include "quill/base/Errors.h"
#include "quill/imaging/ErrorDiffusion.h"

namespace quill {

namespace {

using diffusion::kChannels;
using lanes::kLanes;
using lanes::kLaneOf;

constexpr std::int32_t kSpareCells = 2;  // one at each end of the row
constexpr std::int32_t kDivisor = 16;

// The channel plus the shares waiting for it, (cell + carry + 8) / 16 with
// the division truncating toward zero, clamped to a byte.
inline std::int32_t Corrected(std::int32_t channel, std::int32_t cell, std::int32_t carry) {
  return diffusion::ClampChannel(channel + (cell + carry + kDivisor / 2) / kDivisor);
}

// Hands the error on. An exact match only stops the carry: the cell keeps
// what it held and the shares gathered for the row below stay as they are.
inline void Diffuse(std::int16_t& cell, std::int32_t& carry, std::int32_t& below1, std::int32_t& below5,
                    std::int32_t error) {
  if (error == 0) {
    carry = 0;
    return;
  }
  cell = std::int16_t(below5 + 3 * error);
  below5 = below1 + 5 * error;
  below1 = error;
  carry = 7 * error;
}

#ifdef QUILL_DIFFUSION_LANES
inline __m128i LanesOf(const std::array<std::int32_t, 4>& v) {
  return _mm_setr_epi16(std::int16_t(v[0]), std::int16_t(v[1]), std::int16_t(v[2]), std::int16_t(v[3]), 0, 0, 0, 0);
}

inline void StoreLanes(__m128i lanesValue, std::array<std::int32_t, 4>& v) {
  alignas(16) std::int16_t out[8];
  _mm_store_si128(reinterpret_cast<__m128i*>(out), lanesValue);
  for (int i = 0; i < kLanes; ++i) v[i] = out[i];
}
#endif

}  // namespace

TFloydSteinbergDitherer::TFloydSteinbergDitherer(std::int32_t width, TColorLookup& matcher)
    : TDitherEngine(width, matcher), cells_((std::size_t(width < 0 ? 0 : width) + kSpareCells) * kLanes, 0) {}

TFloydSteinbergDitherer::TChannelState TFloydSteinbergDitherer::Channel(int channel) const {
  const int lane = kLaneOf[channel];
  TChannelState s;
  for (std::size_t i = std::size_t(lane); i < cells_.size(); i += kLanes) s.ErrorRow.push_back(cells_[i]);
  s.Carry = carry_[lane];
  s.Below1 = below1_[lane];
  s.Below5 = below5_[lane];
  return s;
}

std::uint8_t TFloydSteinbergDitherer::DitherPixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue,
                                                  std::uint8_t& r, std::uint8_t& g, std::uint8_t& b) {
  if (currentColumn_ < 0 || currentColumn_ >= lineWidth_) throw EInvalidGraphicOperation("Dither column out of range");
  std::int16_t* cell = &cells_[std::size_t(position_) * kLanes];
  const std::int32_t channel[kChannels] = {red, green, blue};
  std::int32_t value[kChannels];
  for (int c = 0; c < kChannels; ++c) {
    const int lane = kLaneOf[c];
    value[c] = Corrected(channel[c], cell[lane], carry_[lane]);
  }
  const std::uint8_t index =
      TDitherEngine::DitherPixel(std::uint8_t(value[0]), std::uint8_t(value[1]), std::uint8_t(value[2]), r, g, b);
  const std::int32_t matched[kChannels] = {r, g, b};
  for (int c = 0; c < kChannels; ++c) {
    const int lane = kLaneOf[c];
    Diffuse(cell[lane], carry_[lane], below1_[lane], below5_[lane], value[c] - matched[c]);
  }
  position_ += scanDirection_;
  return index;
}

void TFloydSteinbergDitherer::EndRow() {
  // position_ is one past the row's last pixel: the cell that waits for the
  // shares of the last pixel's neighbour below.
  std::int16_t* cell = &cells_[std::size_t(position_) * kLanes];
  for (int lane = 0; lane < kLanes; ++lane) {
    cell[lane] = std::int16_t(below5_[lane]);
    carry_[lane] = below1_[lane] = below5_[lane] = 0;
  }
  TDitherEngine::EndRow();
  position_ = scanDirection_ > 0 ? 0 : lineWidth_ + 1;
}

void TFloydSteinbergDitherer::DitherRow(const std::uint8_t* source, std::uint8_t* result) {
#ifdef QUILL_DIFFUSION_LANES
  if (FastMatcher() != nullptr) {
    RunRow(source, result);
    return;
  }
#endif
  DitherRowByPixel(source, result);
}

#ifdef QUILL_DIFFUSION_LANES
void TFloydSteinbergDitherer::RunRow(const std::uint8_t* source, std::uint8_t* result) {
  // Each pixel waits for the one before it: its corrected colour needs the
  // carry, which needs the previous entry's colour m. The loop therefore puts
  // as few steps as it can between the cache cell holding m and the next
  // cache address (see the notes in DiffusionLanes.h for the cell and key):
  //  - 16 x channel + cell + 8 + 7 x (previous corrected colour v) is summed
  //    while the lookup runs; only m - 8m is applied after it, which makes the
  //    carry 7e = 7v - 7m.
  //  - With the channel scaled into the dividend, floor((16p + x) / 16) is
  //    p + floor(x / 16). Truncation toward zero takes the floor for x >= 0
  //    and the ceiling (the floor of 15 more) for x < 0: with s0 = 16p + x
  //    and s1 = s0 + 15 that is u / 16 with u = min(s1, max(s0, 16p)), as
  //    the shift keeps order: s0 >= 16p exactly when x >= 0, and s1 < 16p +
  //    16 when x < 0. The clamp to 0..255 is u clamped to 0..4095 before the
  //    shift, and since max(s0, 16p) >= 0 only s1 needs it.
  //  - The cell's bytes are widened with 2 as the high byte, so each lane is
  //    mB = m + 512 and 8mB = 8m + 4096 at no extra step. With that bias both
  //    sides of s1 = (s1 + 8m + 4096) - (8m + 4096) are non-negative, and the
  //    unsigned saturating subtraction gives max(s1, 0) in one step.
  //  - The key takes bits 7 to 11 of each lane of u straight from the
  //    16-bit lanes; the shift to v stays off the path.
  // Bounds: |16p + x| <= 16 x 255 + 9 x 255 + 7 x 255 + 8, so with the bias
  // every value fits a signed 16-bit lane. Lane 3 is scratch: the clamp's
  // bound 0 there keeps lane 3 of u at 0, as the key needs.
  using namespace lanes;
  constexpr int kBias = 512;         // the high byte 2 of the widened cell
  constexpr int kBias8 = 8 * kBias;  // in 8mB
  const TCacheView cache(*FastMatcher());
  const std::uint32_t width = std::uint32_t(lineWidth_);
  const std::int32_t step = scanDirection_;
  const std::intptr_t pixelStep = std::intptr_t(step) * diffusion::kBytesPerPixel;
  const __m128i zero = Zero();
  const __m128i biasBytes = _mm_set1_epi8(kBias >> 8);
  const __m128i bias = _mm_set1_epi16(kBias);
  // s0 = base + m - 8m = base + (kBias8 - kBias) + mB - 8mB, base without 8.
  const __m128i offset0 = _mm_set1_epi16(kDivisor / 2 + kBias8 - kBias);
  const __m128i offset1 = _mm_set1_epi16(kDivisor / 2 + kBias8 - kBias + kDivisor - 1);
  const __m128i top = _mm_setr_epi16(4095, 4095, 4095, 0, 0, 0, 0, 0);
  // Multiplications stay single instructions: the constants are hidden from
  // the compiler, which would otherwise turn each into two shifts and adds.
  const __m128i three = Opaque(_mm_set1_epi16(3)), five = Opaque(_mm_set1_epi16(5));
  const __m128i seven = Opaque(_mm_set1_epi16(7));
  const std::int32_t first = currentColumn_;
  std::int32_t column = first;
  // The cells of column c start at cells + 4 x (c + offset).
  std::int16_t* const cells = cells_.data() + std::intptr_t(position_ - column) * kLanes;
  const std::uint8_t* pixel = source + std::intptr_t(column) * diffusion::kBytesPerPixel;
  __m128i below1 = LanesOf(below1_);
  __m128i below5 = LanesOf(below5_);
  // 7 x the last corrected colour and the last entry's colour plus the bias:
  // the carry is sevenV - 7m. A stored carry starts it with m = 0.
  __m128i sevenV = LanesOf(carry_);
  __m128i mB = bias;
  // One pixel: its channels in lanes 0 to 2.
  const auto ditherPixel = [&](const __m128i pixelLanes) {
    const __m128i p16 = _mm_slli_epi16(pixelLanes, 4);
    std::int16_t* const cell = cells + std::intptr_t(column) * kLanes;
    const __m128i c = LoadCells(cell);
    const __m128i base = _mm_add_epi16(_mm_add_epi16(p16, c), sevenV);
    const __m128i eightMB = _mm_slli_epi16(mB, 3);
    const __m128i s0 = _mm_sub_epi16(_mm_add_epi16(Opaque(_mm_add_epi16(base, offset0)), mB), eightMB);
    const __m128i s1Low = _mm_subs_epu16(_mm_add_epi16(Opaque(_mm_add_epi16(base, offset1)), mB), eightMB);
    const __m128i u = _mm_min_epi16(_mm_min_epi16(s1Low, top), _mm_max_epi16(s0, p16));
    const __m128i v = _mm_srai_epi16(u, 4);
    __m128i entryBytes;
    const std::uint32_t entry = TopBitsMatch(cache, u, entryBytes);
    result[column] = TFastColorLookup::IndexOf(entry);
    mB = _mm_unpacklo_epi8(entryBytes, biasBytes);
    sevenV = _mm_mullo_epi16(v, seven);
    // Lane 3 holds the index in m: scratch too.
    const __m128i e = _mm_sub_epi16(_mm_add_epi16(v, bias), mB);
    // An exact match keeps the cell and the shares gathered for below; where
    // e is 0, below1 + 5e is below1 and e is 0, so two of the choices are
    // additions of a masked value.
    const __m128i exact = _mm_cmpeq_epi16(e, zero);
    StoreCells(cell, Select(exact, c, _mm_add_epi16(below5, _mm_mullo_epi16(e, three))));
    const __m128i shifted = _mm_add_epi16(below1, _mm_mullo_epi16(e, five));
    below5 = _mm_add_epi16(shifted, _mm_and_si128(exact, _mm_sub_epi16(below5, below1)));
    below1 = _mm_add_epi16(e, _mm_and_si128(exact, below1));
    column += step;
    pixel += pixelStep;
  };
  if (std::uint32_t(column) >= width) return;
  // Every pixel but the row's last is read with the byte after it.
  const std::uint32_t last = width - 1;
  if (std::uint32_t(column) == last && step < 0) ditherPixel(LoadPixel(pixel));
  while (std::uint32_t(column) < last) ditherPixel(LoadPixelAndNext(pixel));
  if (std::uint32_t(column) == last) ditherPixel(LoadPixel(pixel));
  StoreLanes(below1, below1_);
  StoreLanes(below5, below5_);
  const __m128i m = _mm_sub_epi16(mB, bias);
  StoreLanes(_mm_sub_epi16(sevenV, _mm_mullo_epi16(m, seven)), carry_);
  position_ += column - first;
  currentColumn_ = column;
}
#endif

}  // namespace quill
