#include "quill/imaging/FloydSteinbergDitherer.h"

#include "quill/imaging/Errors.h"
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
    : TDitherEngine(width, matcher),
      cells_((std::size_t(width < 0 ? 0 : width) + kSpareCells) * kLanes, 0) {}

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
  if (currentColumn_ < 0 || currentColumn_ >= lineWidth_)
    throw EInvalidGraphicOperation("Dither column out of range");
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
    using namespace lanes;
    const TCacheView cache(*FastMatcher());
    const std::uint32_t width = std::uint32_t(lineWidth_);
    const std::int32_t step = scanDirection_;
    const std::intptr_t cellStep = std::intptr_t(step) * kLanes;
    const std::intptr_t pixelStep = std::intptr_t(step) * diffusion::kBytesPerPixel;
    const __m128i zero = Zero();
    const __m128i eight = _mm_set1_epi16(kDivisor / 2);
    std::int32_t column = currentColumn_;
    std::int16_t* cell = cells_.data() + std::intptr_t(position_) * kLanes;
    const std::uint8_t* pixel = source + std::intptr_t(column) * diffusion::kBytesPerPixel;
    __m128i below1 = LanesOf(below1_);
    __m128i below5 = LanesOf(below5_);
    __m128i carry = LanesOf(carry_);
    // x is cell + carry + 8 of the pixel about to be dithered.
    __m128i x = _mm_add_epi16(_mm_add_epi16(LoadCells(cell), eight), carry);
    std::int32_t count = 0;
    for (; std::uint32_t(column) < width; column += step, pixel += pixelStep, ++count) {
      const __m128i v = Clamp255(_mm_add_epi16(LoadPixel(pixel), TruncDivide<kDivisor>(x)));
      std::uint8_t index;
      const __m128i e = _mm_sub_epi16(v, Match(cache, v, index));
      result[column] = index;
      carry = Times<7>(e);  // 0 where the match is exact
      x = _mm_add_epi16(_mm_add_epi16(LoadCells(cell + cellStep), eight), carry);
      const __m128i exact = _mm_cmpeq_epi16(e, zero);
      StoreCells(cell, Select(exact, LoadCells(cell), _mm_add_epi16(below5, Times<3>(e))));
      below5 = Select(exact, below5, _mm_add_epi16(below1, Times<5>(e)));
      below1 = Select(exact, below1, e);
      cell += cellStep;
    }
    StoreLanes(below1, below1_);
    StoreLanes(below5, below5_);
    StoreLanes(carry, carry_);
    position_ += count * step;
    currentColumn_ = column;
    return;
  }
#endif
  DitherRowByPixel(source, result);
}

}  // namespace quill
