#pragma once
// The chat's fixed 256-colour palette, the editor's palette selector drawn from
// it, and the prop geometry shared by the importer and the editor. A pixel value
// of an exported avatar is an index into this palette, so the order of the
// table is part of the chat's format and never changes.
#include <cstdint>

#include "quill/imaging/Colour32.h"
#include "quill/imaging/Palette.h"

namespace quill {

class TBitmap32;

// --- Chat palette -------------------------------------------------------------

constexpr int kChatPaletteSize = 256;
// Entries 0..214: the 6 x 9 x 4 colour grid without black, in the chat's order.
constexpr int kGridEntryCount = 215;
constexpr int kSecondWhiteEntry = 215;
// Entries 216..229: EEEEEE down to 111111.
constexpr int kFirstGreyEntry = 216;
constexpr int kLastGreyEntry = 229;
// Entries 230..255 are all black; 230 is the one the selector shows.
constexpr int kFirstBlackEntry = 230;

// The grid's levels, brightest first.
constexpr std::uint8_t kGridRedLevels[6] = {0xFF, 0xCC, 0x99, 0x66, 0x33, 0x00};
constexpr std::uint8_t kGridGreenLevels[9] = {0xFF, 0xDF, 0xBF, 0x9F, 0x7F, 0x5F, 0x3F, 0x1F, 0x00};
constexpr std::uint8_t kGridBlueLevels[4] = {0xFF, 0xAA, 0x55, 0x00};

// Table entry index (0..255) as 0xRRGGBB; throws EInternalError outside 0..255.
std::uint32_t ChatPaletteRgb(int index);
// The same entry as an opaque Colour32.
TColor32 ChatPaletteColour32(int index);

// A new logical palette of the 256 entries (version 0x300, flags 0).
TPalette BuildChatPalette();

// --- Palette selector ---------------------------------------------------------

// 233 cells of 7 x 7 pixels, 8 pixels apart, 6 per row; the last of the 39 rows
// holds 5. The pixels between cells are never painted.
constexpr int kSelectorCellCount = 233;
constexpr int kSelectorColumns = 6;
constexpr int kSelectorRows = 39;
constexpr int kSelectorCellSize = 7;
constexpr int kSelectorCellPitch = 8;
constexpr int kSelectorWidth = 49;
constexpr int kSelectorHeight = 314;
// Rows 0..35 walk the colour grid; the cells after them show the second white,
// the grey ramp and two blacks.
constexpr int kSelectorGridRows = 36;

// The palette entry that cell k (0..232) shows and selects; -1 for any other k.
int SelectorCellToEntry(int cell);
// Paints the 233 cells, opaque, into the selector's bitmap (49 x 314); cells
// falling outside a smaller bitmap are clipped.
void DrawPaletteSelector(TBitmap32& grid);

// --- Prop geometry ------------------------------------------------------------

constexpr int kPropSize = 44;
constexpr int kAvatarProps = 3;
constexpr int kAvatarSize = kPropSize * kAvatarProps;  // 132
// The RGB section view: the avatar at 1..132 inside a one-pixel frame.
constexpr int kNavigateViewSize = kAvatarSize + 2;  // 134
constexpr int kOutputViewSize = kAvatarSize;        // 132

// Section side from its slider: positions 0..50 give 32..132 in steps of 2.
constexpr int kSectionSliderMax = 50;
constexpr int kSectionSliderDefault = 50;
constexpr int kMinSectionSize = 32;
constexpr int SectionSize(int sliderPosition) { return 2 * sliderPosition + kMinSectionSize; }

// The prop grid marks the last column and row of the first and second props,
// in view coordinates (the avatar's 44th and 88th pixel plus the frame).
constexpr int kPropGridLine1 = kPropSize;
constexpr int kPropGridLine2 = 2 * kPropSize;
constexpr TColor32 kPropGridColor = 0xFF808080u;

}  // namespace quill
