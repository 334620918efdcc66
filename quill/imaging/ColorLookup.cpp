#include "quill/imaging/ColorLookup.h"

#include <algorithm>
#include <cstdlib>

namespace quill {

TFastColorLookup::TFastColorLookup(const TPalette& palette)
    : cache_(std::make_unique<std::uint16_t[]>(kCacheCells)) {
  entryCount_ = palette.GetEntries(0, TPalette::kMaxEntries, entries_.data());
  std::fill_n(cache_.get(), kCacheCells, kEmptyCell);
  // Seeding in index order leaves the lowest index in a cell that several
  // entries share; such a cell then answers for every colour with that key.
  for (int i = 0; i < entryCount_; ++i) {
    const TPaletteEntry& e = entries_[i];
    std::uint16_t& cell = cache_[Key(e.Red, e.Green, e.Blue)];
    if (cell == kEmptyCell) cell = std::uint16_t(i);
  }
}

std::uint8_t TFastColorLookup::MatchColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue,
                                          std::uint8_t& r, std::uint8_t& g, std::uint8_t& b) {
  const std::uint8_t index = Match(red, green, blue);
  const TPaletteEntry& e = entries_[index];
  r = e.Red;
  g = e.Green;
  b = e.Blue;
  return index;
}

std::uint8_t TFastColorLookup::Search(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
  std::int32_t best = kWorstDistance;
  int bestIndex = 0;
  for (int i = 0; i < entryCount_; ++i) {
    const TPaletteEntry& e = entries_[i];
    const std::int32_t distance = std::abs(int(e.Red) - int(red)) + std::abs(int(e.Green) - int(green)) +
                                  std::abs(int(e.Blue) - int(blue));
    if (distance < best) {  // strictly smaller: the lowest index keeps a tie
      best = distance;
      bestIndex = i;
    }
  }
  // The answer for this full colour stands for every colour sharing its key.
  cache_[Key(red, green, blue)] = std::uint16_t(bestIndex);
  return std::uint8_t(bestIndex);
}

}  // namespace quill
