#include "quill/imaging/ColorLookup.h"

#include <algorithm>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define QUILL_LOOKUP_SSE2 1
#include <emmintrin.h>
#endif

namespace quill {

namespace {

// Filler for palette slots past EntryCount: at least 3 x (2000 - 255) from
// every colour, far beyond the 765 of the worst real match, and small enough
// that a sum of three differences still fits 16 bits.
constexpr std::int16_t kNoEntry = 2000;

}  // namespace

TFastColorLookup::TFastColorLookup(const TPalette& palette)
    : channels_(std::make_unique<TChannels>()), cells_(std::make_unique<std::uint32_t[]>(kCacheCells)) {
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

std::uint8_t TFastColorLookup::MatchColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t& r,
                                          std::uint8_t& g, std::uint8_t& b) {
  const std::uint8_t index = Match(red, green, blue);
  const TPaletteEntry& e = entries_[index];
  r = e.Red;
  g = e.Green;
  b = e.Blue;
  return index;
}

void TFastColorLookup::Fill(std::uint32_t key, int index) {
  const TPaletteEntry& e = entries_[index];
  cells_[key] =
      std::uint32_t(e.Blue) | std::uint32_t(e.Green) << 8 | std::uint32_t(e.Red) << 16 | std::uint32_t(index) << 24;
}

std::uint32_t TFastColorLookup::Resolve(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
  // Sum of absolute differences to every slot, then the first slot with the
  // least sum: the same winner as keeping a best-so-far that only a strictly
  // smaller distance (from 0x30000 down) replaces.
  const int index = NearestSlot(std::int16_t(red), std::int16_t(green), std::int16_t(blue));
  // The answer for this full colour stands for every colour sharing its key.
  const std::uint32_t key = Key(red, green, blue);
  Fill(key, index);
  return cells_[key];
}

#ifdef QUILL_LOOKUP_SSE2
int TFastColorLookup::NearestSlot(std::int16_t red, std::int16_t green, std::int16_t blue) const {
  // Eight slots at a time; the least sum is kept while the sums are made,
  // and the first slot holding it is found eight at a time.
  constexpr int kGroups = TPalette::kMaxEntries / 8;
  const __m128i r = _mm_set1_epi16(red), g = _mm_set1_epi16(green), b = _mm_set1_epi16(blue);
  const __m128i zero = _mm_setzero_si128();
  const auto absolute = [&zero](__m128i d) { return _mm_max_epi16(d, _mm_sub_epi16(zero, d)); };
  __m128i distance[kGroups];
  __m128i best = _mm_set1_epi16(0x7FFF);
  for (int i = 0; i < kGroups; ++i) {
    const auto lanes = [i](const std::array<std::int16_t, TPalette::kMaxEntries>& channel) {
      return _mm_loadu_si128(reinterpret_cast<const __m128i*>(channel.data() + 8 * i));
    };
    distance[i] = _mm_add_epi16(_mm_add_epi16(absolute(_mm_sub_epi16(lanes(channels_->Red), r)),
                                              absolute(_mm_sub_epi16(lanes(channels_->Green), g))),
                                absolute(_mm_sub_epi16(lanes(channels_->Blue), b)));
    best = _mm_min_epi16(best, distance[i]);
  }
  best = _mm_min_epi16(best, _mm_shuffle_epi32(best, _MM_SHUFFLE(1, 0, 3, 2)));
  best = _mm_min_epi16(best, _mm_shuffle_epi32(best, _MM_SHUFFLE(2, 3, 0, 1)));
  best = _mm_min_epi16(
      best, _mm_shufflelo_epi16(_mm_shufflehi_epi16(best, _MM_SHUFFLE(2, 3, 0, 1)), _MM_SHUFFLE(2, 3, 0, 1)));
  for (int i = 0; i < kGroups; ++i) {
    const int equal = _mm_movemask_epi8(_mm_cmpeq_epi16(distance[i], best));
    if (equal == 0) continue;
    int lane = 0;
    while ((equal & (1 << (2 * lane))) == 0) ++lane;
    return 8 * i + lane;
  }
  return 0;  // not reached: some slot holds the least sum
}
#else
int TFastColorLookup::NearestSlot(std::int16_t red, std::int16_t green, std::int16_t blue) const {
  std::int16_t distance[TPalette::kMaxEntries];
  for (int i = 0; i < TPalette::kMaxEntries; ++i) {
    const std::int16_t dr = std::int16_t(channels_->Red[i] - red);
    const std::int16_t dg = std::int16_t(channels_->Green[i] - green);
    const std::int16_t db = std::int16_t(channels_->Blue[i] - blue);
    distance[i] = std::int16_t((dr < 0 ? -dr : dr) + (dg < 0 ? -dg : dg) + (db < 0 ? -db : db));
  }
  std::int16_t best = distance[0];
  for (int i = 1; i < TPalette::kMaxEntries; ++i) best = std::min(best, distance[i]);
  int index = 0;
  while (distance[index] != best) ++index;
  return index;
}
#endif

}  // namespace quill
