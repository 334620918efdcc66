// Choosing the active colour from the palette grid and the brush size from
// its indicator.
#include "quill/editor/EditorCanvas.h"
#include "quill/platform/Desktop.h"
#include "quill/shell/ChatPalette.h"
#include "quill/shell/Form1.h"

namespace quill {

void TForm1::PaletteSelectGridClick() {
  // The click carries no position: the grid asks where the cursor is.
  const TScreenPoint cursor = Services().Desktop.CursorPos();
  const TPoint grid = PaletteSelectGrid.ScreenToClient({cursor.X, cursor.Y});
  // Truncating division: a few pixels left of or above the grid still count
  // as column or row 0.
  const int column = grid.X / kSelectorCellPitch;
  const int row = grid.Y / kSelectorCellPitch;
  const int cell = row * kSelectorColumns + column;
  if (column < 0 || column >= kSelectorColumns || cell < 0 || cell >= kSelectorCellCount) return;
  TakeActiveColor(PaletteColour(FChatPalette, SelectorCellToEntry(cell)));
  DrawBrushSizeIndicator();
}

void TForm1::ShowBrushSizeImage32MouseUp(TMouseButton button, TShiftState, int, int) {
  // Left grows the brush, any other button shrinks it; both wrap 8 <-> 1.
  if (button == mbLeft) {
    FBrushSize = FBrushSize % kMaxBrushSize + 1;
  } else {
    FBrushSize = FBrushSize == 1 ? kMaxBrushSize : FBrushSize - 1;
  }
  DrawBrushSizeIndicator();
}

}  // namespace quill
