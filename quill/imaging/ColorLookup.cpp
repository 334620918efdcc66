#include "quill/imaging/ColorLookup.h"

#include <algorithm>

namespace quill {

namespace {

// Filler for palette slots past EntryCount: at least 3 x (2000 - 255) from
// every colour, far beyond the 765 of the worst real match, and small enough
// that a sum of three differences still fits 16 bits.
constexpr std::int16_t kNoEntry = 2000;

}  // namespace

TFastColorLookup::TFastColorLookup(const TPalette& palette)
    : channels_(std::make_unique<TChannels>()),
      cells_(std::make_unique<std::uint32_t[]>(kCacheCells)) {
  entryCount_ = palette.GetEntries(0, TPalette::kMaxEntries, entries_.data());
  const TPaletteEntry& first = entries_[0];
  emptyCell_ = std::uint32_t(first.Blue) | std::uint32_t(first.Green) << 8 | std::uint32_t(first.Red ^ 1) << 16;
  std::fill_n(cells_.get(), kCacheCells, emptyCell_);
  channels_->Red.fill(kNoEntry);
  channels_->Green.fill(kNoEntry);
  channels_->Blue.fill(kNoEntry);
  for (int i = 0; i < entryCount_; ++i) {
    channels_->Red[i] = entries_[i].Red;
    channels_->Green[i] = entries_[i].Green;
    channels_->Blue[i] = entries_[i].Blue;
  }
  // Seeding in index order leaves the lowest index in a cell that several
  // entries share; such a cell then answers for every colour with that key.
  for (int i = 0; i < entryCount_; ++i) {
    const TPaletteEntry& e = entries_[i];
    const std::uint32_t key = Key(e.Red, e.Green, e.Blue);
    if (!IsFilled(key)) Fill(key, i);
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

void TFastColorLookup::Fill(std::uint32_t key, int index) {
  const TPaletteEntry& e = entries_[index];
  cells_[key] = std::uint32_t(e.Blue) | std::uint32_t(e.Green) << 8 | std::uint32_t(e.Red) << 16 |
                std::uint32_t(index) << 24;
}

std::uint32_t TFastColorLookup::Resolve(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
  // Sum of absolute differences to every slot, then the first slot with the
  // least sum: the same winner as keeping a best-so-far that only a strictly
  // smaller distance (from 0x30000 down) replaces.
  const std::int16_t r = std::int16_t(red), g = std::int16_t(green), b = std::int16_t(blue);
  std::int16_t distance[TPalette::kMaxEntries];
  for (int i = 0; i < TPalette::kMaxEntries; ++i) {
    const std::int16_t dr = std::int16_t(channels_->Red[i] - r);
    const std::int16_t dg = std::int16_t(channels_->Green[i] - g);
    const std::int16_t db = std::int16_t(channels_->Blue[i] - b);
    distance[i] = std::int16_t((dr < 0 ? -dr : dr) + (dg < 0 ? -dg : dg) + (db < 0 ? -db : db));
  }
  std::int16_t best = distance[0];
  for (int i = 1; i < TPalette::kMaxEntries; ++i) best = std::min(best, distance[i]);
  int index = 0;
  while (distance[index] != best) ++index;
  // The answer for this full colour stands for every colour sharing its key.
  const std::uint32_t key = Key(red, green, blue);
  Fill(key, index);
  return cells_[key];
}

}  // namespace quill
