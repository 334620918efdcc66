#pragma once
// A rectangle as the window system and the movie-player library lay it out:
// four signed 32-bit values, left, top, right, bottom, with no padding, so a
// pointer to one can be handed to either as it stands.
#include <cstdint>

namespace reelbridge {

struct TRect {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;
  friend bool operator==(const TRect& a, const TRect& b) {
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
  }
  friend bool operator!=(const TRect& a, const TRect& b) { return !(a == b); }
};
static_assert(sizeof(TRect) == 16, "TRect must match the system's rectangle layout");

}  // namespace reelbridge
