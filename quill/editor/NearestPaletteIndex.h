#pragma once
// The palette entry nearest to a colour under the editor's weights: a blue
// difference counts 65025 times, a green one 255 times a red one, so blue
// decides first, then green, then red.
#include <cstdint>

#include "quill/imaging/Palette.h"

namespace quill {

// No entry is taken at this distance or beyond (255 x 65025 + 1).
constexpr int kNearestPaletteBound = 16581376;

// The index of the entry with the smallest distance |R - r| + 255 |G - g| +
// 65025 |B - b| below the bound; the lowest index on ties. 0 when no entry
// lies below the bound (the chat palette's greys always do for r = g = b).
int NearestPaletteIndex(const TPalette& palette, std::uint8_t red, std::uint8_t green, std::uint8_t blue);

}  // namespace quill
