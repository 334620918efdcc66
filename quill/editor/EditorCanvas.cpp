#include "quill/editor/EditorCanvas.h"

#include "quill/editor/NearestPaletteIndex.h"

namespace quill {
namespace {

// The brush's extent from corner p on one axis, in cells.
int BrushCells(int p, int brushSize) {
  // 397 - p, not 396 - p: the cells left up to cell 131 (truncating).
  return p + kCellSize * brushSize > kCellsEnd ? (kCellsEnd + 1 - p) / kCellSize : brushSize;
}

}  // namespace

TRect BrushBlock(int px, int py, int brushSize) {
  return {px, py, px + kCellSize * BrushCells(px, brushSize), py + kCellSize * BrushCells(py, brushSize)};
}

TRect NormalisedSpan(int x1, int y1, int x2, int y2) {
  return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

void FillPixels(TBitmap32& bitmap, const TRect& r, TColor32 colour) {
  bitmap.FillBlockClipped(r.Left, r.Top, r.Right, r.Bottom, colour);
}

TColor32 PaletteColour(const TPalette& palette, int index) {
  const auto& entries = palette.Entries();
  if (index < 0 || index >= int(entries.size())) return kOpaqueBlack;
  const TPaletteEntry& e = entries[std::size_t(index)];
  return MakeColour32(e.Red, e.Green, e.Blue);
}

TColor32 GreyPaletteColour(const TPalette& palette, TColor32 pixel) {
  const int grey = (RedComponent(pixel) + GreenComponent(pixel) + BlueComponent(pixel)) / 3;
  const auto level = std::uint8_t(grey);
  return PaletteColour(palette, NearestPaletteIndex(palette, level, level, level));
}

}  // namespace quill
