#pragma once
// Channel masks of 16- and 32-bit BMP pixels (BI_BITFIELDS, BI_ALPHABITFIELDS
// and the masks of V2 to V5 headers), and the decoding of one pixel by them.
#include <cstdint>

#include "quill/imaging/Colour32.h"

namespace quill {

struct TBitfieldMasks {
  std::uint32_t Red = 0, Green = 0, Blue = 0, Alpha = 0;
};

class TBitfieldDecoder {
 public:
  // Each mask must be one contiguous run of bits inside the pixel's bitCount
  // bits, and no two masks may share a bit; a zero mask is an absent channel
  // (reads as 0). Throws EInvalidGraphic "Unsupported bitmap format" otherwise.
  TBitfieldDecoder(const TBitfieldMasks& masks, int bitCount);

  bool HasAlpha() const { return alpha_.Bits > 0; }
  // The pixel as 0xAARRGGBB; channels narrower than 8 bits are widened by
  // repeating their bits, wider ones keep their top 8 bits; alpha is 0 without
  // an alpha mask.
  TColor32 Decode(std::uint32_t pixel) const;

 private:
  struct TChannel {
    std::uint32_t Mask = 0;
    int Shift = 0;
    int Bits = 0;
  };
  static TChannel MakeChannel(std::uint32_t mask);
  static std::uint8_t Extract(const TChannel& channel, std::uint32_t pixel);

  TChannel red_, green_, blue_, alpha_;
};

}  // namespace quill
