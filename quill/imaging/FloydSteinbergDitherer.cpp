#include "quill/imaging/FloydSteinbergDitherer.h"

#include "quill/imaging/Errors.h"
#include "quill/imaging/ErrorDiffusion.h"

namespace quill {

namespace {

using diffusion::kChannels;

constexpr std::int32_t kSpareCells = 2;  // one at each end of the row
constexpr std::int32_t kDivisor = 16;

// The channel plus the shares waiting for it, (cell + carry + 8) / 16 with
// the division truncating toward zero, clamped to a byte.
inline std::int32_t Corrected(std::int32_t channel, std::int32_t cell, std::int32_t carry) {
  return diffusion::ClampChannel(channel + (cell + carry + kDivisor / 2) / kDivisor);
}

// Hands the error on. An exact match only stops the carry: the cell keeps
// what it held and the shares gathered for the row below stay as they are.
inline void Diffuse(std::int32_t& cell, std::int32_t& carry, std::int32_t& below1, std::int32_t& below5,
                    std::int32_t error) {
  if (error == 0) {
    carry = 0;
    return;
  }
  cell = below5 + 3 * error;
  below5 = below1 + 5 * error;
  below1 = error;
  carry = 7 * error;
}

}  // namespace

TFloydSteinbergDitherer::TFloydSteinbergDitherer(std::int32_t width, TColorLookup& matcher)
    : TDitherEngine(width, matcher) {
  for (TChannelState& c : channels_) c.ErrorRow.assign(std::size_t(width < 0 ? 0 : width) + kSpareCells, 0);
}

std::uint8_t TFloydSteinbergDitherer::DitherPixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue,
                                                  std::uint8_t& r, std::uint8_t& g, std::uint8_t& b) {
  if (currentColumn_ < 0 || currentColumn_ >= lineWidth_)
    throw EInvalidGraphicOperation("Dither column out of range");
  const std::int32_t channel[kChannels] = {red, green, blue};
  std::int32_t value[kChannels];
  for (int c = 0; c < kChannels; ++c)
    value[c] = Corrected(channel[c], channels_[c].ErrorRow[position_], channels_[c].Carry);
  const std::uint8_t index =
      TDitherEngine::DitherPixel(std::uint8_t(value[0]), std::uint8_t(value[1]), std::uint8_t(value[2]), r, g, b);
  const std::int32_t matched[kChannels] = {r, g, b};
  for (int c = 0; c < kChannels; ++c) {
    TChannelState& s = channels_[c];
    Diffuse(s.ErrorRow[position_], s.Carry, s.Below1, s.Below5, value[c] - matched[c]);
  }
  position_ += scanDirection_;
  return index;
}

void TFloydSteinbergDitherer::EndRow() {
  // position_ is one past the row's last pixel: the cell that waits for the
  // shares of the last pixel's neighbour below.
  for (TChannelState& s : channels_) {
    s.ErrorRow[position_] = s.Below5;
    s.Carry = s.Below1 = s.Below5 = 0;
  }
  TDitherEngine::EndRow();
  position_ = scanDirection_ > 0 ? 0 : lineWidth_ + 1;
}

void TFloydSteinbergDitherer::DitherRow(const std::uint8_t* source, std::uint8_t* result) {
  if (FastMatcher() == nullptr) {
    DitherRowByPixel(source, result);
    return;
  }
  const diffusion::TInlineMatch match{*FastMatcher()};
  const std::int32_t step = scanDirection_;
  std::int32_t column = currentColumn_;
  // The running values live in locals for the row; the cells are touched in place.
  std::int32_t* cellR = channels_[0].ErrorRow.data() + position_;
  std::int32_t* cellG = channels_[1].ErrorRow.data() + position_;
  std::int32_t* cellB = channels_[2].ErrorRow.data() + position_;
  std::int32_t carryR = channels_[0].Carry, below1R = channels_[0].Below1, below5R = channels_[0].Below5;
  std::int32_t carryG = channels_[1].Carry, below1G = channels_[1].Below1, below5G = channels_[1].Below5;
  std::int32_t carryB = channels_[2].Carry, below1B = channels_[2].Below1, below5B = channels_[2].Below5;
  const std::uint8_t* pixel = source + std::intptr_t(column) * diffusion::kBytesPerPixel;
  const std::intptr_t pixelStep = std::intptr_t(step) * diffusion::kBytesPerPixel;
  std::int32_t count = 0;
  for (; std::uint32_t(column) < std::uint32_t(lineWidth_); column += step, pixel += pixelStep) {
    const std::int32_t value[kChannels] = {Corrected(pixel[2], *cellR, carryR), Corrected(pixel[1], *cellG, carryG),
                                           Corrected(pixel[0], *cellB, carryB)};
    std::int32_t matched[kChannels];
    result[column] = match(value, matched);
    Diffuse(*cellR, carryR, below1R, below5R, value[0] - matched[0]);
    Diffuse(*cellG, carryG, below1G, below5G, value[1] - matched[1]);
    Diffuse(*cellB, carryB, below1B, below5B, value[2] - matched[2]);
    cellR += step;
    cellG += step;
    cellB += step;
    ++count;
  }
  channels_[0].Carry = carryR, channels_[0].Below1 = below1R, channels_[0].Below5 = below5R;
  channels_[1].Carry = carryG, channels_[1].Below1 = below1G, channels_[1].Below5 = below5G;
  channels_[2].Carry = carryB, channels_[2].Below1 = below1B, channels_[2].Below5 = below5B;
  position_ += count * step;
  currentColumn_ = column;
}

}  // namespace quill
