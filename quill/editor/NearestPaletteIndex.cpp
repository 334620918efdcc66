#include "quill/editor/NearestPaletteIndex.h"

#include <cstdlib>

namespace quill {

int NearestPaletteIndex(const TPalette& palette, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  int best = 0;
  int bestDistance = kNearestPaletteBound;
  const auto& entries = palette.Entries();
  for (int k = 0; k < int(entries.size()); ++k) {
    const TPaletteEntry& e = entries[std::size_t(k)];
    // At most 255 + 255 x 255 + 65025 x 255: well inside 32 bits.
    const int distance = std::abs(e.Red - red) + 255 * std::abs(e.Green - green) + 65025 * std::abs(e.Blue - blue);
    // A later entry must be strictly nearer.
    if (distance < bestDistance) {
      bestDistance = distance;
      best = k;
    }
  }
  return best;
}

}  // namespace quill
