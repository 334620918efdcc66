#pragma once
// Weighted mix of two colours with an 8-bit weight, the blend step of every
// bilinear sample.
#include "quill/imaging/Colour32.h"

namespace quill {

// Each channel, alpha included: (X x W + Y x (256 - W) + 128) >> 8. W = 0 gives
// Y exactly; W = 255 gives (255 X + Y + 128) >> 8, which is not always X.
// Two channels are mixed per multiply: a channel's sum stays below 65536, so
// the 16-bit lanes never carry into each other and the result equals the
// channel-by-channel formula.
inline TColor32 CombineColors(TColor32 x, TColor32 y, std::uint32_t w) {
  constexpr std::uint32_t kLanes = 0x00FF00FFu;
  constexpr std::uint32_t kHalf = 0x00800080u;
  const std::uint32_t wy = 256u - w;
  const std::uint32_t redBlue = (((x & kLanes) * w + (y & kLanes) * wy + kHalf) >> 8) & kLanes;
  const std::uint32_t alphaGreen = (((x >> 8) & kLanes) * w + ((y >> 8) & kLanes) * wy + kHalf) & ~kLanes;
  return redBlue | alphaGreen;
}

}  // namespace quill
