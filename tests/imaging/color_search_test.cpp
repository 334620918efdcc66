// The matcher's search for the nearest entry (taken eight entries at a time
// where the processor allows) against a plain reading of the rule: sum of
// absolute channel differences, the best replaced only by a strictly smaller
// sum starting from 0x30000, so that the lowest index wins a tie.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "quill/imaging/ColorLookup.h"
#include "tests/imaging/reduce_test_support.h"

namespace quill {
namespace {

int PlainNearest(const std::vector<TPaletteEntry>& entries, int r, int g, int b) {
  std::int32_t best = TFastColorLookup::kWorstDistance;
  int index = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::int32_t d =
        std::abs(entries[i].Red - r) + std::abs(entries[i].Green - g) + std::abs(entries[i].Blue - b);
    if (d < best) {
      best = d;
      index = int(i);
    }
  }
  return index;
}

struct TRandom {
  std::uint32_t state;
  int Next(int n) {
    state = state * 1664525u + 1013904223u;
    return int((state >> 8) % std::uint32_t(n));
  }
};

TEST(ColorSearch, MissesAgreeWithThePlainRuleForManyPalettes) {
  TRandom random{2024u};
  for (int size : {1, 2, 7, 8, 9, 63, 64, 200, 255, 256}) {
    // Few distinct channel values, so that ties are frequent.
    std::vector<TPaletteEntry> entries;
    for (int i = 0; i < size; ++i)
      entries.push_back(
          {std::uint8_t(random.Next(9) * 31), std::uint8_t(random.Next(9) * 31), std::uint8_t(random.Next(9) * 31), 0});
    TFastColorLookup lookup{TPalette(entries)};
    int checked = 0;
    for (int n = 0; n < 3000; ++n) {
      const int r = random.Next(256), g = random.Next(256), b = random.Next(256);
      if (lookup.CacheCell(TFastColorLookup::Key(std::uint32_t(r), std::uint32_t(g), std::uint32_t(b))) !=
          TFastColorLookup::kEmptyCell)
        continue;  // a filled cell answers for its whole key, not by search
      ASSERT_EQ(lookup.Match(std::uint32_t(r), std::uint32_t(g), std::uint32_t(b)), PlainNearest(entries, r, g, b))
          << size << " entries, colour " << r << "," << g << "," << b;
      ++checked;
    }
    EXPECT_GT(checked, 1000) << size;
  }
}

TEST(ColorSearch, TieBetweenTheLastTwoGroupsOfEightGoesToTheLowerIndex) {
  // Entries 250 and 255 are equally near; everything else is far.
  std::vector<TPaletteEntry> entries(256, TPaletteEntry{255, 255, 255, 0});
  entries[250] = {10, 0, 0, 0};
  entries[255] = {0, 10, 0, 0};
  TFastColorLookup lookup{TPalette(entries)};
  EXPECT_EQ(lookup.Match(0, 0, 40), 250);
}

}  // namespace
}  // namespace quill
