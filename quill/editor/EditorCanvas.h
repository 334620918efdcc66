#pragma once
// The expanded view's grid and the tool codes of the editor. Every avatar
// pixel is a 3 x 3 block of the expanded view, a cell: cell (i, j), i, j in
// 0..131, covers pixels 3i..3i+2 by 3j..3j+2. The two-pixel strip from pixel
// 396 on lies outside all cells and no tool writes it.
#include <algorithm>

#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/Colour32.h"
#include "quill/imaging/Palette.h"

namespace quill {

constexpr int kCellSize = 3;
constexpr int kCellCount = 132;
constexpr int kLastCell = kCellCount - 1;
constexpr int kCellsEnd = kCellSize * kCellCount;  // 396, the strip's first pixel
// The Magnify tool's corner stays where 32 cells still fit: cells 100..131.
constexpr int kMagnifierCells = 32;
constexpr int kMagnifierCellSize = 5;
constexpr int kMagnifyCornerMax = kCellsEnd - kCellSize * kMagnifierCells;       // 300
constexpr int kMagnifierCornerMax = kMagnifierCellSize * (kMagnifierCells - 1);  // 155
constexpr int kMaxBrushSize = 8;

// The tool codes FDrawMode holds (kDrawModeDraw, 1, is the start tool).
constexpr int kDrawModePixelPainter = 101;
constexpr int kDrawModeBWRectangle = 111;
constexpr int kDrawModeFloodFill = 201;
constexpr int kDrawModeBWPixelPainter = 222;
constexpr int kDrawModeCopy = 301;
constexpr int kDrawModePaste = 302;
constexpr int kDrawModeGrabColor = 401;
constexpr int kDrawModeMagnify = 501;
constexpr int kDrawModeRectangle = 601;

// The corner of the cell under a pointer coordinate. Division truncates toward
// zero, so -1 and -2 give corner 0 as well.
constexpr int CellCorner(int pos) { return pos / kCellSize * kCellSize; }
// A corner folded onto the cells and the strip's first column: 0..396.
constexpr int ClampToCells(int corner) { return std::clamp(corner, 0, kCellsEnd); }

// The brush block at corner (px, py): size x size cells, each side cut to the
// cells left up to cell 131 (reduced to (397 - p) div 3 where p + 3 size > 396),
// as a pixel range with right and bottom exclusive. Empty (or inverted) at
// the strip.
TRect BrushBlock(int px, int py, int brushSize);

// The span from one corner to another with left <= right and top <= bottom.
TRect NormalisedSpan(int x1, int y1, int x2, int y2);

// Fills the pixel range, cut to the bitmap; an empty or inverted range fills
// nothing and signals no change.
void FillPixels(TBitmap32& bitmap, const TRect& r, TColor32 colour);

// The opaque colour of a palette entry; black for an index past its end.
TColor32 PaletteColour(const TPalette& palette, int index);

// What the black-and-white tools make of a pixel: grey = (red + green +
// blue) div 3, then the palette colour nearest to that grey.
TColor32 GreyPaletteColour(const TPalette& palette, TColor32 pixel);

}  // namespace quill
