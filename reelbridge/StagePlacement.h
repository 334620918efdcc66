#pragma once
// Where a movie's stage goes in the client window.
#include <cstdint>

#include "reelbridge/Rect.h"

namespace reelbridge {

// The stage of width w and height h at (x, y) from the area's top-left corner.
TRect PlacedStage(const TRect& area, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);
// The stage centred in the client rectangle; the halving truncates toward zero.
TRect CentredStage(const TRect& client, std::int32_t width, std::int32_t height);

}  // namespace reelbridge
