#include "quill/imaging/Colour32.h"

#include <algorithm>

namespace quill {

TColor32 OffsetColour32(TColor32 c, int amount) {
  auto shift = [amount](int channel) { return TColor32(std::clamp(channel + amount, 0, 255)); };
  return (c & 0xFF000000u) | (shift(RedComponent(c)) << 16) | (shift(GreenComponent(c)) << 8) | shift(BlueComponent(c));
}

}  // namespace quill
