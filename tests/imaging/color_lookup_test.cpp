#include "quill/imaging/ColorLookup.h"

#include <gtest/gtest.h>

#include "tests/imaging/reduce_test_support.h"

namespace quill {
namespace {

using test::MakePalette;
using test::TRgb;

std::uint8_t MatchIndex(TFastColorLookup& lookup, TRgb c) {
  std::uint8_t r, g, b;
  return lookup.MatchColor(c[0], c[1], c[2], r, g, b);
}

TEST(FastColorLookup, KeyTakesFiveHighBitsOfBlueGreenRed) {
  struct Case {
    TRgb colour;
    std::uint32_t key;
  };
  const Case cases[] = {
      {{0, 0, 0}, 0},       {{7, 7, 7}, 0},        {{8, 0, 0}, 1},
      {{0, 8, 0}, 1u << 5}, {{0, 0, 8}, 1u << 10}, {{255, 255, 255}, 0x7FFF},
      {{7, 15, 23}, 2080},  {{255, 0, 0}, 31},     {{0, 0, 255}, 31u << 10},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TFastColorLookup::Key(c.colour[0], c.colour[1], c.colour[2]), c.key)
        << int(c.colour[0]) << "," << int(c.colour[1]) << "," << int(c.colour[2]);
}

TEST(FastColorLookup, CopiesEntriesAndCountsThem) {
  const TFastColorLookup three(MakePalette({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}));
  EXPECT_EQ(three.EntryCount(), 3);
  EXPECT_EQ(three.Entry(2).Blue, 9);
  const TFastColorLookup none{TPalette()};
  EXPECT_EQ(none.EntryCount(), 0);
}

TEST(FastColorLookup, CacheIsSeededWithLowestIndexPerKey) {
  // Entries 0 and 1 share key 0; entry 2 has a key of its own.
  const TFastColorLookup lookup(MakePalette({{0, 0, 0}, {5, 5, 5}, {255, 255, 255}}));
  EXPECT_EQ(lookup.CacheCell(0), 0);
  EXPECT_EQ(lookup.CacheCell(0x7FFF), 2);
  EXPECT_EQ(lookup.CacheCell(1), TFastColorLookup::kEmptyCell);
  EXPECT_EQ(lookup.CacheCell(TFastColorLookup::Key(100, 100, 100)), TFastColorLookup::kEmptyCell);
}

TEST(FastColorLookup, SharedKeyGivesLowestIndexEvenOverAnExactMatch) {
  TFastColorLookup lookup(MakePalette({{0, 0, 0}, {5, 5, 5}, {255, 255, 255}}));
  std::uint8_t r = 9, g = 9, b = 9;
  EXPECT_EQ(lookup.MatchColor(5, 5, 5, r, g, b), 0);  // entry 1 is exact, yet entry 0 owns the key
  EXPECT_EQ(r, 0);
  EXPECT_EQ(g, 0);
  EXPECT_EQ(b, 0);
  EXPECT_EQ(MatchIndex(lookup, {3, 6, 1}), 0);
}

TEST(FastColorLookup, SearchPicksSmallestSumOfAbsoluteDifferences) {
  struct Case {
    TRgb colour;
    std::uint8_t index;
  };
  // Unweighted: green counts no more than red or blue.
  TFastColorLookup lookup(MakePalette({{200, 0, 0}, {0, 200, 0}, {0, 0, 200}, {100, 100, 100}}));
  const Case cases[] = {
      {{180, 40, 40}, 0},  // 20 + 40 + 40 = 100 against 80 + 60 + 60 for entry 3
      {{30, 190, 20}, 1},  // 30 + 10 + 20 = 60
      {{90, 110, 96}, 3},  // 10 + 10 + 4 = 24
      {{20, 20, 170}, 2},  // 20 + 20 + 30 = 70 against 80 + 80 + 70
  };
  for (const Case& c : cases) EXPECT_EQ(MatchIndex(lookup, c.colour), c.index) << int(c.colour[0]);
}

TEST(FastColorLookup, TieGoesToTheLowestIndex) {
  // (40, 40, 0) is 40 + 40 away from both entries; neither owns its key.
  TFastColorLookup forward(MakePalette({{80, 40, 0}, {40, 80, 0}}));
  EXPECT_EQ(MatchIndex(forward, {40, 40, 0}), 0);
  TFastColorLookup reversed(MakePalette({{40, 80, 0}, {80, 40, 0}}));
  EXPECT_EQ(MatchIndex(reversed, {40, 40, 0}), 0);
}

TEST(FastColorLookup, FirstMissDecidesTheCellForItsWholeKey) {
  // (16, 0, 0) and (23, 0, 0) share key 2 that no entry owns; alone, 16 is
  // nearer black (16 against 24) and 23 nearer (40, 0, 0) (23 against 17).
  const TPalette palette = MakePalette({{0, 0, 0}, {40, 0, 0}});
  TFastColorLookup darkFirst(palette);
  EXPECT_EQ(MatchIndex(darkFirst, {16, 0, 0}), 0);
  EXPECT_EQ(darkFirst.CacheCell(2), 0);
  EXPECT_EQ(MatchIndex(darkFirst, {23, 0, 0}), 0);

  TFastColorLookup lightFirst(palette);
  EXPECT_EQ(MatchIndex(lightFirst, {23, 0, 0}), 1);
  EXPECT_EQ(MatchIndex(lightFirst, {16, 0, 0}), 1);
}

TEST(FastColorLookup, SearchesOnlyTheEntriesItHas) {
  // The 254 unused slots are zero, that is black; they must not be found.
  TFastColorLookup lookup(MakePalette({{255, 255, 255}, {200, 200, 200}}));
  EXPECT_EQ(MatchIndex(lookup, {10, 10, 10}), 1);
}

TEST(FastColorLookup, FarthestColourStillFindsAnEntry) {
  TFastColorLookup lookup(MakePalette({{255, 255, 255}}));
  std::uint8_t r, g, b;
  EXPECT_EQ(lookup.MatchColor(0, 0, 0, r, g, b), 0);  // distance 765, below the 0x30000 start
  EXPECT_EQ(r, 255);
}

TEST(FastColorLookup, ChatPaletteDuplicatesResolveToFirstEntry) {
  TFastColorLookup lookup(test::LoadChatPalette());
  EXPECT_EQ(lookup.EntryCount(), 256);
  EXPECT_EQ(MatchIndex(lookup, {255, 255, 255}), 0);  // not the second white, 215
  EXPECT_EQ(MatchIndex(lookup, {0, 0, 0}), 230);      // first of the 26 blacks
  EXPECT_EQ(MatchIndex(lookup, {7, 7, 7}), 230);      // same key as black
  EXPECT_EQ(MatchIndex(lookup, {0xCC, 0xFF, 0xFF}), 2);
  EXPECT_EQ(MatchIndex(lookup, {0x11, 0x11, 0x11}), 229);
}

TEST(FastColorLookup, WorksThroughTheBaseInterface) {
  TFastColorLookup fast(MakePalette({{0, 0, 0}, {255, 255, 255}}));
  TColorLookup& lookup = fast;
  std::uint8_t r, g, b;
  EXPECT_EQ(lookup.MatchColor(200, 210, 220, r, g, b), 1);
  EXPECT_EQ(lookup.EntryCount(), 2);
}

}  // namespace
}  // namespace quill
