// The magnifier: 32 x 32 cells of the expanded view at five pixels each,
// chosen with the Magnify tool, painted cell by cell while that tool is
// chosen, and a place to pick a colour from with the right button.
#include <algorithm>

#include "quill/editor/EditorCanvas.h"
#include "quill/shell/Form1.h"

namespace quill {
namespace {

// The magnifier cell's corner under a pointer coordinate: 0..155.
int MagnifierCorner(int pos) {
  return std::clamp(pos / kMagnifierCellSize * kMagnifierCellSize, 0, kMagnifierCornerMax);
}

}  // namespace

void TForm1::MagnifyArea(int px, int py) {
  FMagnifierX = px;
  FMagnifierY = py;
  TBitmap32& magnifier = MagGlassImage32.Bitmap();
  magnifier.BeginUpdate();
  magnifier.FillBlockClipped(0, 0, kMagnifierFillSize, kMagnifierFillSize, FBackgroundColor);
  magnifier.EndUpdate();
  ShowMagnifiedCells(TRect{px, py, px + kCellSize * kMagnifierCells, py + kCellSize * kMagnifierCells});
}

void TForm1::ShowMagnifiedCells(const TRect& area) {
  if (area.Width() <= 0 || area.Height() <= 0) return;
  const TBitmap32& expanded = AVExpandedImage32.Bitmap();
  TBitmap32& magnifier = MagGlassImage32.Bitmap();
  magnifier.BeginUpdate();
  for (int i = 0; i < kMagnifierCells; ++i) {
    for (int j = 0; j < kMagnifierCells; ++j) {
      // The centre pixel of cell (FMagnifierX / 3 + i, FMagnifierY / 3 + j).
      const int cx = FMagnifierX + kCellSize * i + 1;
      const int cy = FMagnifierY + kCellSize * j + 1;
      if (cx < area.Left || cx >= area.Right || cy < area.Top || cy >= area.Bottom) continue;
      magnifier.FillBlockClipped(kMagnifierCellSize * i, kMagnifierCellSize * j, kMagnifierCellSize * (i + 1),
                                 kMagnifierCellSize * (j + 1), expanded.GetPixelSafe(cx, cy));
    }
  }
  magnifier.EndUpdate();
  magnifier.NotifyChanged();
}

void TForm1::PaintMagnifierCell(int x, int y) {
  const int mx = MagnifierCorner(x);
  const int my = MagnifierCorner(y);
  MagGlassImage32.Bitmap().FillBlockClipped(mx, my, mx + kMagnifierCellSize, my + kMagnifierCellSize, FActiveColor);
  // Before any area is magnified the origin is (1, 1): the block then lies a
  // pixel right of and below the cell grid, as the magnifier maps it.
  const int ex = FMagnifierX + kCellSize * (mx / kMagnifierCellSize);
  const int ey = FMagnifierY + kCellSize * (my / kMagnifierCellSize);
  AVExpandedImage32.Bitmap().FillBlockClipped(ex, ey, ex + kCellSize, ey + kCellSize, FActiveColor);
}

void TForm1::MagGlassImage32MouseDown(TMouseButton button, TShiftState, int x, int y) {
  if (button != mbLeft) return;
  FMagnifierDrawing = true;
  // Painting in the magnifier changes the expanded view too: one undo step.
  editorHistory_.Begin(AVExpandedImage32.Bitmap());
  if (FDrawMode == kDrawModeMagnify) PaintMagnifierCell(x, y);
}

void TForm1::MagGlassImage32MouseMove(TShiftState, int x, int y) {
  if (FDrawMode == kDrawModeMagnify && FMagnifierDrawing) PaintMagnifierCell(x, y);
}

void TForm1::MagGlassImage32MouseUp(TMouseButton button, TShiftState, int x, int y) {
  FMagnifierDrawing = false;
  if (button != mbLeft) {
    // The corner is folded onto the magnifier, so the pick stays inside it.
    TakeActiveColor(MagGlassImage32.Bitmap().GetPixelSafe(MagnifierCorner(x), MagnifierCorner(y)));
    return;
  }
  if (FDrawMode == kDrawModeMagnify) PaintMagnifierCell(x, y);
  editorHistory_.Commit(AVExpandedImage32.Bitmap());
}

}  // namespace quill
