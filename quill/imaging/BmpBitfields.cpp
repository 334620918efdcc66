#include "quill/imaging/BmpBitfields.h"

#include "quill/base/Errors.h"
#include "quill/imaging/BitmapPixels.h"
#include "quill/imaging/BmpFormat.h"

namespace quill {

TBitfieldDecoder::TChannel TBitfieldDecoder::MakeChannel(std::uint32_t mask) {
  TChannel channel;
  channel.Mask = mask;
  if (mask == 0) return channel;
  while (((mask >> channel.Shift) & 1u) == 0) ++channel.Shift;
  const std::uint32_t run = mask >> channel.Shift;
  // A contiguous run of ones plus one is a power of two (the run may fill all
  // 32 bits, where the sum wraps to 0).
  if (((run + 1) & run) != 0) throw EInvalidGraphic(kBitmapUnsupported);
  for (std::uint32_t r = run; r != 0; r >>= 1) ++channel.Bits;
  return channel;
}

TBitfieldDecoder::TBitfieldDecoder(const TBitfieldMasks& masks, int bitCount) {
  red_ = MakeChannel(masks.Red);
  green_ = MakeChannel(masks.Green);
  blue_ = MakeChannel(masks.Blue);
  alpha_ = MakeChannel(masks.Alpha);
  const std::uint32_t all = masks.Red | masks.Green | masks.Blue | masks.Alpha;
  const std::uint32_t pairs = (masks.Red & masks.Green) | (masks.Red & masks.Blue) | (masks.Green & masks.Blue) |
                              (masks.Alpha & (masks.Red | masks.Green | masks.Blue));
  const bool outside = bitCount < 32 && (all >> bitCount) != 0;
  if (pairs != 0 || outside) throw EInvalidGraphic(kBitmapUnsupported);
}

std::uint8_t TBitfieldDecoder::Extract(const TChannel& channel, std::uint32_t pixel) {
  return ExpandChannel((pixel & channel.Mask) >> channel.Shift, channel.Bits);
}

TColor32 TBitfieldDecoder::Decode(std::uint32_t pixel) const {
  return MakeColour32(Extract(red_, pixel), Extract(green_, pixel), Extract(blue_, pixel), Extract(alpha_, pixel));
}

}  // namespace quill
