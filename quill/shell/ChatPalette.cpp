#include "quill/shell/ChatPalette.h"

#include <array>
#include <string>

#include "quill/base/Errors.h"
#include "quill/imaging/Bitmap32.h"

namespace quill {

namespace {

// The chat's palette as 0xRRGGBB, eight entries a line. The grid colours come
// in the chat's own order, which follows no formula; the index of each entry is
// the pixel value the chat client reads.
constexpr std::uint32_t kChatPalette[kChatPaletteSize] = {
    0xFFFFFF, 0xFFDFFF, 0xCCFFFF, 0xFFBFFF, 0xFFFFAA, 0xCCDFFF, 0xFF9FFF, 0x99FFFF,  // 0-7
    0xFF7FFF, 0xFFDFAA, 0xCCBFFF, 0x66FFFF, 0xFF5FFF, 0x99DFFF, 0xFFFF55, 0xCCFFAA,  // 8-15
    0xFF3FFF, 0x33FFFF, 0xCC9FFF, 0xFF1FFF, 0xFFBFAA, 0xFF00FF, 0x00FFFF, 0xFFFF00,  // 16-23
    0x66DFFF, 0x99BFFF, 0xCC7FFF, 0xFFDF55, 0xCCDFAA, 0xFF9FAA, 0x33DFFF, 0x99FFAA,  // 24-31
    0xCC5FFF, 0xFFDF00, 0x00DFFF, 0xCCFF55, 0x999FFF, 0x66BFFF, 0xCC3FFF, 0xFF7FAA,  // 32-39
    0xFFBF55, 0xCC1FFF, 0xCCBFAA, 0xCC00FF, 0xCCFF00, 0x997FFF, 0x66FFAA, 0x33BFFF,  // 40-47
    0xFF5FAA, 0x99DFAA, 0xFFBF00, 0x00BFFF, 0x669FFF, 0xCCDF55, 0xFF3FAA, 0xFF9F55,  // 48-55
    0x995FFF, 0x33FFAA, 0xCC9FAA, 0x99FF55, 0xFF1FAA, 0x00FFAA, 0xFF00AA, 0x339FFF,  // 56-63
    0x993FFF, 0x667FFF, 0xCCDF00, 0xFF9F00, 0x009FFF, 0x991FFF, 0x66DFAA, 0x99BFAA,  // 64-71
    0x9900FF, 0x99FF00, 0xFF7F55, 0xCC7FAA, 0xCCBF55, 0x665FFF, 0x337FFF, 0x66FF55,  // 72-79
    0xFF5F55, 0x33DFAA, 0xFF7F00, 0x007FFF, 0x99DF55, 0xCC5FAA, 0x663FFF, 0x00DFAA,  // 80-87
    0xCCBF00, 0x999FAA, 0x335FFF, 0x661FFF, 0xFF3F55, 0x66BFAA, 0x6600FF, 0x66FF00,  // 88-95
    0x33FF55, 0xCC3FAA, 0xCC9F55, 0xFF5F00, 0x005FFF, 0xFF1F55, 0x99DF00, 0x00FF55,  // 96-103
    0xFF0055, 0x333FFF, 0xCC1FAA, 0xCC00AA, 0xFF3F00, 0x003FFF, 0x331FFF, 0x997FAA,  // 104-111
    0x33BFAA, 0x3300FF, 0x33FF00, 0x66DF55, 0x99BF55, 0xCC9F00, 0xFF1F00, 0x001FFF,  // 112-119
    0x00BFAA, 0xFF0000, 0x00FF00, 0x0000FF, 0xCC7F55, 0x669FAA, 0x995FAA, 0x66DF00,  // 120-127
    0x99BF00, 0x33DF55, 0xCC5F55, 0xCC7F00, 0x00DF55, 0x339FAA, 0x993FAA, 0x999F55,  // 128-135
    0x667FAA, 0x009FAA, 0x66BF55, 0x991FAA, 0xCC3F55, 0x33DF00, 0x9900AA, 0xCC5F00,  // 136-143
    0xCC1F55, 0x00DF00, 0xCC0055, 0x999F00, 0x665FAA, 0x337FAA, 0x66BF00, 0x997F55,  // 144-151
    0x33BF55, 0xCC3F00, 0x007FAA, 0x00BF55, 0x663FAA, 0x669F55, 0xCC1F00, 0xCC0000,  // 152-159
    0x335FAA, 0x661FAA, 0x995F55, 0x997F00, 0x6600AA, 0x33BF00, 0x005FAA, 0x00BF00,  // 160-167
    0x669F00, 0x333FAA, 0x339F55, 0x993F55, 0x667F55, 0x003FAA, 0x009F55, 0x331FAA,  // 168-175
    0x995F00, 0x991F55, 0x3300AA, 0x990055, 0x001FAA, 0x0000AA, 0x339F00, 0x993F00,  // 176-183
    0x665F55, 0x667F00, 0x337F55, 0x009F00, 0x991F00, 0x990000, 0x007F55, 0x663F55,  // 184-191
    0x665F00, 0x335F55, 0x337F00, 0x661F55, 0x660055, 0x005F55, 0x007F00, 0x663F00,  // 192-199
    0x333F55, 0x335F00, 0x661F00, 0x003F55, 0x331F55, 0x660000, 0x330055, 0x005F00,  // 200-207
    0x001F55, 0x000055, 0x333F00, 0x003F00, 0x331F00, 0x330000, 0x001F00, 0xFFFFFF,  // 208-215
    0xEEEEEE, 0xDDDDDD, 0xCCCCCC, 0xBBBBBB, 0xAAAAAA, 0x999999, 0x888888, 0x777777,  // 216-223
    0x666666, 0x555555, 0x444444, 0x333333, 0x222222, 0x111111, 0x000000, 0x000000,  // 224-231
    0x000000, 0x000000, 0x000000, 0x000000, 0x000000, 0x000000, 0x000000, 0x000000,  // 232-239
    0x000000, 0x000000, 0x000000, 0x000000, 0x000000, 0x000000, 0x000000, 0x000000,  // 240-247
    0x000000, 0x000000, 0x000000, 0x000000, 0x000000, 0x000000, 0x000000, 0x000000,  // 248-255
};

constexpr std::uint32_t kBlackRgb = 0x000000;

int GridEntryOf(std::uint32_t rgb) {
  for (int i = 0; i < kGridEntryCount; ++i)
    if (kChatPalette[i] == rgb) return i;
  return -1;
}

// Cell k's entry: rows 0..35 stand for blue level row div 9, green level row
// mod 9 and red level column; black is not in the grid and shows entry 230.
// The remaining 17 cells show 215..229 in order and then entry 230 twice.
std::array<std::int16_t, kSelectorCellCount> BuildSelectorTable() {
  std::array<std::int16_t, kSelectorCellCount> table{};
  constexpr int kGreenLevels = int(sizeof kGridGreenLevels);
  const int gridCells = kSelectorGridRows * kSelectorColumns;
  for (int cell = 0; cell < gridCells; ++cell) {
    const int row = cell / kSelectorColumns;
    const int column = cell % kSelectorColumns;
    const std::uint32_t rgb = (std::uint32_t(kGridRedLevels[column]) << 16) |
                              (std::uint32_t(kGridGreenLevels[row % kGreenLevels]) << 8) |
                              std::uint32_t(kGridBlueLevels[row / kGreenLevels]);
    table[cell] = std::int16_t(rgb == kBlackRgb ? kFirstBlackEntry : GridEntryOf(rgb));
  }
  int entry = kSecondWhiteEntry;
  for (int cell = gridCells; cell < kSelectorCellCount; ++cell) {
    table[cell] = std::int16_t(entry);
    if (entry < kFirstBlackEntry) ++entry;
  }
  return table;
}

const std::array<std::int16_t, kSelectorCellCount>& SelectorTable() {
  static const auto table = BuildSelectorTable();
  return table;
}

}  // namespace

std::uint32_t ChatPaletteRgb(int index) {
  if (index < 0 || index >= kChatPaletteSize)
    throw EInternalError("Chat palette index out of range: " + std::to_string(index));
  return kChatPalette[index];
}

TColor32 ChatPaletteColour32(int index) { return 0xFF000000u | ChatPaletteRgb(index); }

TPalette BuildChatPalette() {
  std::vector<TPaletteEntry> entries(kChatPaletteSize);
  for (int i = 0; i < kChatPaletteSize; ++i) {
    const std::uint32_t rgb = kChatPalette[i];
    entries[i].Red = std::uint8_t(rgb >> 16);
    entries[i].Green = std::uint8_t(rgb >> 8);
    entries[i].Blue = std::uint8_t(rgb);
    entries[i].Flags = 0;
  }
  return TPalette(std::move(entries));
}

int SelectorCellToEntry(int cell) {
  if (cell < 0 || cell >= kSelectorCellCount) return -1;
  return SelectorTable()[cell];
}

void DrawPaletteSelector(TBitmap32& grid) {
  grid.BeginUpdate();
  for (int cell = 0; cell < kSelectorCellCount; ++cell) {
    const int left = kSelectorCellPitch * (cell % kSelectorColumns) + 1;
    const int top = kSelectorCellPitch * (cell / kSelectorColumns) + 1;
    grid.FillBlockClipped(left, top, left + kSelectorCellSize, top + kSelectorCellSize,
                          ChatPaletteColour32(SelectorCellToEntry(cell)));
  }
  grid.EndUpdate();
  grid.NotifyChanged();
}

}  // namespace quill
