#include "quill/shell/ChatPalette.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "quill/base/Errors.h"
#include "quill/imaging/Bitmap32.h"

namespace quill {
namespace {

std::uint32_t Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return (std::uint32_t(r) << 16) | (std::uint32_t(g) << 8) | b;
}

std::set<std::uint32_t> GridColoursWithoutBlack() {
  std::set<std::uint32_t> colours;
  for (auto r : kGridRedLevels)
    for (auto g : kGridGreenLevels)
      for (auto b : kGridBlueLevels)
        if (Rgb(r, g, b) != 0) colours.insert(Rgb(r, g, b));
  return colours;
}

TEST(ChatPalette, FirstEntriesAreTheColourGridWithoutBlackEachOnce) {
  std::set<std::uint32_t> seen;
  for (int i = 0; i < kGridEntryCount; ++i) {
    EXPECT_TRUE(seen.insert(ChatPaletteRgb(i)).second) << "entry " << i << " repeats a colour";
  }
  EXPECT_EQ(seen, GridColoursWithoutBlack());
  EXPECT_EQ(seen.size(), 215u);
}

TEST(ChatPalette, Entry215IsASecondWhite) {
  EXPECT_EQ(ChatPaletteRgb(0), 0xFFFFFFu);
  EXPECT_EQ(ChatPaletteRgb(kSecondWhiteEntry), 0xFFFFFFu);
}

TEST(ChatPalette, GreyRampStepsDownFromEEToEleven) {
  std::uint8_t level = 0xEE;
  for (int i = kFirstGreyEntry; i <= kLastGreyEntry; ++i, level = std::uint8_t(level - 0x11))
    EXPECT_EQ(ChatPaletteRgb(i), Rgb(level, level, level)) << "entry " << i;
  EXPECT_EQ(ChatPaletteRgb(kLastGreyEntry), 0x111111u);
}

TEST(ChatPalette, LastTwentySixEntriesAreBlack) {
  for (int i = kFirstBlackEntry; i < kChatPaletteSize; ++i) EXPECT_EQ(ChatPaletteRgb(i), 0u) << "entry " << i;
}

TEST(ChatPalette, SpotValuesSitAtTheirIndices) {
  const std::map<int, std::uint32_t> spots = {
      {1, 0xFFDFFF},   {4, 0xFFFFAA},   {21, 0xFF00FF},  {22, 0x00FFFF},  {23, 0xFFFF00},
      {64, 0x993FFF},  {95, 0x66FF00},  {107, 0xCC00AA}, {121, 0xFF0000}, {122, 0x00FF00},
      {123, 0x0000FF}, {159, 0xCC0000}, {181, 0x0000AA}, {189, 0x990000}, {205, 0x660000},
      {209, 0x000055}, {213, 0x330000}, {214, 0x001F00}, {220, 0xAAAAAA}, {229, 0x111111},
  };
  for (const auto& [index, rgb] : spots) EXPECT_EQ(ChatPaletteRgb(index), rgb) << "entry " << index;
}

TEST(ChatPalette, Colour32FormIsOpaque) {
  EXPECT_EQ(ChatPaletteColour32(121), 0xFFFF0000u);
  EXPECT_EQ(ChatPaletteColour32(255), 0xFF000000u);
}

TEST(ChatPalette, IndexOutsideTheTableIsRefused) {
  EXPECT_THROW(ChatPaletteRgb(-1), EInternalError);
  EXPECT_THROW(ChatPaletteRgb(256), EInternalError);
}

TEST(ChatPalette, BuiltPaletteHas256EntriesVersion300AndNoFlags) {
  const TPalette palette = BuildChatPalette();
  EXPECT_EQ(palette.Version(), 0x300);
  ASSERT_EQ(palette.EntryCount(), 256);
  for (int i = 0; i < 256; ++i) {
    const TPaletteEntry& e = palette.Entries()[std::size_t(i)];
    EXPECT_EQ(Rgb(e.Red, e.Green, e.Blue), ChatPaletteRgb(i)) << "entry " << i;
    EXPECT_EQ(e.Flags, 0) << "entry " << i;
  }
}

TEST(PaletteSelector, RowZeroShowsTheWhitestColumnOfTheGrid) {
  const int expected[6] = {0, 2, 7, 11, 17, 22};
  for (int column = 0; column < 6; ++column) EXPECT_EQ(SelectorCellToEntry(column), expected[column]);
}

TEST(PaletteSelector, RowNineStartsTheSecondBlueLevel) {
  const std::uint32_t expected[6] = {0xFFFFAA, 0xCCFFAA, 0x99FFAA, 0x66FFAA, 0x33FFAA, 0x00FFAA};
  for (int column = 0; column < 6; ++column)
    EXPECT_EQ(ChatPaletteRgb(SelectorCellToEntry(9 * 6 + column)), expected[column]) << "column " << column;
}

TEST(PaletteSelector, GridRowsFollowBlueGreenRedLevels) {
  for (int row = 0; row < kSelectorGridRows; ++row) {
    for (int column = 0; column < kSelectorColumns; ++column) {
      const std::uint32_t want = Rgb(kGridRedLevels[column], kGridGreenLevels[row % 9], kGridBlueLevels[row / 9]);
      const int entry = SelectorCellToEntry(row * 6 + column);
      EXPECT_EQ(ChatPaletteRgb(entry), want) << "row " << row << " column " << column;
      if (want != 0) {
        EXPECT_LT(entry, kGridEntryCount);
      }
    }
  }
}

TEST(PaletteSelector, GridBlackCellShowsEntry230) { EXPECT_EQ(SelectorCellToEntry(35 * 6 + 5), 230); }

TEST(PaletteSelector, LastCellsShowWhiteTheRampAndTwoBlacks) {
  for (int k = 0; k < 15; ++k) EXPECT_EQ(SelectorCellToEntry(216 + k), 215 + k) << "cell " << 216 + k;
  EXPECT_EQ(SelectorCellToEntry(231), 230);
  EXPECT_EQ(SelectorCellToEntry(232), 230);
}

TEST(PaletteSelector, CellsOutsideTheSelectorMapToNothing) {
  EXPECT_EQ(SelectorCellToEntry(-1), -1);
  EXPECT_EQ(SelectorCellToEntry(233), -1);
}

TEST(PaletteSelector, EveryColourOnceExceptWhiteTwiceAndBlackThrice) {
  std::map<std::uint32_t, int> shown;
  for (int cell = 0; cell < kSelectorCellCount; ++cell) ++shown[ChatPaletteRgb(SelectorCellToEntry(cell))];
  std::set<std::uint32_t> expectedColours = GridColoursWithoutBlack();
  for (int i = kFirstGreyEntry; i <= kLastGreyEntry; ++i) expectedColours.insert(ChatPaletteRgb(i));
  expectedColours.insert(0);
  EXPECT_EQ(shown.size(), expectedColours.size());
  for (std::uint32_t colour : expectedColours) {
    const int want = colour == 0xFFFFFF ? 2 : colour == 0 ? 3 : 1;
    EXPECT_EQ(shown[colour], want) << std::hex << colour;
  }
}

bool InsideSomeCell(int x, int y) {
  if (x % 8 == 0 || y % 8 == 0) return false;
  const int cell = (y / 8) * 6 + x / 8;
  return x / 8 < 6 && cell < kSelectorCellCount;
}

TEST(PaletteSelector, DrawPaintsCellsAndLeavesTheGapsAlone) {
  TBitmap32 grid;
  grid.ChangeSize(kSelectorWidth, kSelectorHeight);
  constexpr TColor32 kMarker = 0x12345678;
  grid.FillAll(kMarker);
  DrawPaletteSelector(grid);
  for (int y = 0; y < kSelectorHeight; ++y) {
    for (int x = 0; x < kSelectorWidth; ++x) {
      const TColor32 got = grid.GetPixelUnchecked(x, y);
      if (InsideSomeCell(x, y)) {
        const int cell = (y / 8) * 6 + x / 8;
        ASSERT_EQ(got, ChatPaletteColour32(SelectorCellToEntry(cell))) << x << "," << y;
      } else {
        ASSERT_EQ(got, kMarker) << x << "," << y;
      }
    }
  }
}

TEST(PaletteSelector, CellCornersAreWhereTheLayoutPutsThem) {
  TBitmap32 grid;
  grid.ChangeSize(kSelectorWidth, kSelectorHeight);
  DrawPaletteSelector(grid);
  struct Probe {
    int x, y;
    TColor32 colour;
  };
  const Probe probes[] = {
      {0, 0, 0},                                     // frame row and column stay as the new bitmap had them
      {1, 1, 0xFFFFFFFF},                            // cell 0, entry 0
      {7, 7, 0xFFFFFFFF},                            // its last pixel
      {8, 8, 0},                                     // gap
      {41, 1, 0xFF00FFFF},                           // cell 5, entry 22
      {41, 8 * 35 + 1, 0xFF000000},                  // cell 215: grid black
      {1, 8 * 36 + 1, 0xFFFFFFFF},                   // cell 216: second white
      {33, 8 * 38 + 7, 0xFF000000},                  // cell 232, last pixel
      {41, 8 * 38 + 1, 0},                           // no sixth cell in the last row
      {kSelectorWidth - 1, kSelectorHeight - 1, 0},  // corner below the last row
  };
  for (const Probe& p : probes) EXPECT_EQ(grid.GetPixelUnchecked(p.x, p.y), p.colour) << p.x << "," << p.y;
}

TEST(PaletteSelector, DrawIntoASmallerBitmapIsClipped) {
  TBitmap32 grid;
  grid.ChangeSize(20, 20);
  DrawPaletteSelector(grid);
  EXPECT_EQ(grid.GetPixelUnchecked(17, 17), ChatPaletteColour32(SelectorCellToEntry(6 * 2 + 2)));
  TBitmap32 empty;
  DrawPaletteSelector(empty);
  EXPECT_TRUE(empty.Empty());
}

TEST(PropGeometry, SectionSizeFromSliderPosition) {
  const std::pair<int, int> cases[] = {{0, 32}, {1, 34}, {25, 82}, {49, 130}, {50, 132}};
  for (const auto& [position, size] : cases) EXPECT_EQ(SectionSize(position), size) << position;
  EXPECT_EQ(SectionSize(kSectionSliderMax), kAvatarSize);
}

TEST(PropGeometry, ConstantsDescribeThreeByThreeProps) {
  EXPECT_EQ(kPropSize, 44);
  EXPECT_EQ(kAvatarSize, 132);
  EXPECT_EQ(kNavigateViewSize, 134);
  EXPECT_EQ(kOutputViewSize, 132);
  EXPECT_EQ(kPropGridLine1, 44);
  EXPECT_EQ(kPropGridLine2, 88);
  EXPECT_EQ(kPropGridColor, 0xFF808080u);
}

}  // namespace
}  // namespace quill
