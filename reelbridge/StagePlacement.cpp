#include "reelbridge/StagePlacement.h"

namespace reelbridge {
namespace {

// Sums wrap around in 32 bits as the system's own arithmetic does, instead of
// overflowing: positions come from chat lines and sizes from the library.
std::int32_t Add(std::int32_t a, std::int32_t b) { return std::int32_t(std::uint32_t(a) + std::uint32_t(b)); }

}  // namespace

TRect PlacedStage(const TRect& area, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
  const std::int32_t left = Add(area.Left, x);
  const std::int32_t top = Add(area.Top, y);
  return TRect{left, top, Add(left, width), Add(top, height)};
}

TRect CentredStage(const TRect& client, std::int32_t width, std::int32_t height) {
  // Halving truncates toward zero: a 201-wide stage in 100 pixels starts at -50.
  const std::int32_t left = std::int32_t((std::int64_t(client.Left) + client.Right - width) / 2);
  const std::int32_t top = std::int32_t((std::int64_t(client.Top) + client.Bottom - height) / 2);
  return TRect{left, top, Add(left, width), Add(top, height)};
}

}  // namespace reelbridge
