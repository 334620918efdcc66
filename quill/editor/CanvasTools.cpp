// The ten tools on the expanded view: what button down, move and up do in
// each, and the tool buttons that choose them.
#include <algorithm>

#include "quill/editor/EditorCanvas.h"
#include "quill/editor/FloodFill.h"
#include "quill/shell/Form1.h"

namespace quill {
namespace {

bool DragsRectangle(int drawMode) {
  return drawMode == kDrawModeBWRectangle || drawMode == kDrawModeCopy || drawMode == kDrawModeRectangle;
}

bool InsideBitmap(const TBitmap32& bitmap, int x, int y) {
  return x >= 0 && y >= 0 && x < bitmap.Width() && y < bitmap.Height();
}

// Converts every cell from column left div 3 to right div 3 and row top div 3
// to bottom div 3, both ends included, to the grey of its top-left pixel. A
// span reaching 396 would name cell 132, which is the strip beyond the cells:
// the range stops at cell 131.
void ConvertCellsToGrey(TBitmap32& expanded, const TPalette& palette, const TRect& span) {
  const int lastColumn = std::min(span.Right / kCellSize, kLastCell);
  const int lastRow = std::min(span.Bottom / kCellSize, kLastCell);
  expanded.BeginUpdate();
  for (int i = std::max(span.Left / kCellSize, 0); i <= lastColumn; ++i) {
    for (int j = std::max(span.Top / kCellSize, 0); j <= lastRow; ++j) {
      const TColor32 grey = GreyPaletteColour(palette, expanded.GetPixelUnchecked(kCellSize * i, kCellSize * j));
      expanded.FillBlock(kCellSize * i, kCellSize * j, kCellSize * (i + 1), kCellSize * (j + 1), grey);
    }
  }
  expanded.EndUpdate();
  expanded.NotifyChanged();
}

// Copies the block of size w x h at (sx, sy) of source to (dx, dy) of
// destination, opaquely; pixels outside either bitmap are left out.
void CopyBlock(const TBitmap32& source, int sx, int sy, TBitmap32& destination, int dx, int dy, int w, int h) {
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (InsideBitmap(source, sx + x, sy + y) && InsideBitmap(destination, dx + x, dy + y))
        destination.SetPixelUnchecked(dx + x, dy + y, source.GetPixelUnchecked(sx + x, sy + y));
    }
  }
  destination.NotifyChanged();
}

// The copy buffer holds the block one pixel in from its corner.
constexpr int kCopyBufferOffset = 1;

}  // namespace

void TForm1::TakeActiveColor(TColor32 colour) {
  FActiveColor = colour;
  ActiveColorImage32.Bitmap().FillBlockClipped(0, 0, kIndicatorWidth, kIndicatorHeight, FActiveColor);
}

void TForm1::EraseRubberBand() {
  const TRect band = NormalisedSpan(FDragStartX, FDragStartY, FDragEndX, FDragEndY);
  const auto& shown = AVExpandedImage32.FocusRects();
  if (std::find(shown.begin(), shown.end(), band) != shown.end()) AVExpandedImage32.DrawFocusRect(band);
}

void TForm1::AVExpandedImage32MouseDown(TMouseButton button, TShiftState, int x, int y) {
  if (button != mbLeft) {
    FMouseDrawing = false;
    return;
  }
  const int px = std::max(CellCorner(x), 0);
  const int py = std::max(CellCorner(y), 0);
  FMouseDrawing = true;
  // Press to release is one undo step.
  editorHistory_.Begin(AVExpandedImage32.Bitmap());
  if (FDrawMode == kDrawModeDraw) {
    FillPixels(AVExpandedImage32.Bitmap(), BrushBlock(px, py, FBrushSize), FActiveColor);
  } else if (DragsRectangle(FDrawMode)) {
    // A band left over from a drag that ended elsewhere goes first.
    EraseRubberBand();
    FDragStartX = px;
    FDragStartY = py;
    AVExpandedImage32.DrawFocusRect(NormalisedSpan(px, py, px, py));
    FDragEndX = px;
    FDragEndY = py;
  }
}

void TForm1::AVExpandedImage32MouseMove(TShiftState, int x, int y) {
  int px = std::max(CellCorner(x), 0);
  int py = std::max(CellCorner(y), 0);
  if (FDrawMode == kDrawModeDraw) {
    // One block per move event: positions between two events are not joined.
    if (FMouseDrawing) FillPixels(AVExpandedImage32.Bitmap(), BrushBlock(px, py, FBrushSize), FActiveColor);
  } else if (DragsRectangle(FDrawMode)) {
    px = std::min(px, kCellsEnd);
    py = std::min(py, kCellsEnd);
    if (!FMouseDrawing) return;
    // Drawing the previous span again inverts it back: the band moves. (A
    // repaint in between, after an undo, has taken it off already.)
    EraseRubberBand();
    AVExpandedImage32.DrawFocusRect(NormalisedSpan(FDragStartX, FDragStartY, px, py));
    FDragEndX = px;
    FDragEndY = py;
  }
}

void TForm1::AVExpandedImage32MouseUp(TMouseButton button, TShiftState, int x, int y) {
  FMouseDrawing = false;
  TBitmap32& expanded = AVExpandedImage32.Bitmap();
  int px = CellCorner(x);
  int py = CellCorner(y);
  // A release beyond the view (the mouse is captured while a button is held)
  // has no pixel to take a colour from.
  const bool overView = InsideBitmap(expanded, x, y);
  if (button != mbLeft) {
    if (overView) TakeActiveColor(expanded.GetPixelUnchecked(px, py));
    return;
  }
  if (!editorHistory_.Open()) editorHistory_.Begin(expanded);
  // The drag tools start from the press's corner; before any press that is -1.
  const int startX = std::max(FDragStartX, 0);
  const int startY = std::max(FDragStartY, 0);
  switch (FDrawMode) {
    case kDrawModePixelPainter:
      FillPixels(expanded, BrushBlock(std::max(px, 0), std::max(py, 0), FBrushSize), FActiveColor);
      break;
    case kDrawModeFloodFill:
      // Only a release over the cells fills (x -1 would still give corner 0).
      if (x >= 0 && y >= 0 && x < kCellsEnd && y < kCellsEnd)
        FloodFillCells(expanded, px / kCellSize, py / kCellSize, FActiveColor);
      break;
    case kDrawModeBWPixelPainter: {
      px = ClampToCells(px);
      py = ClampToCells(py);
      const TRect block = BrushBlock(px, py, FBrushSize);
      // The whole block takes the grey of the one cell under the pointer.
      if (block.Width() > 0 && block.Height() > 0)
        FillPixels(expanded, block, GreyPaletteColour(FChatPalette, expanded.GetPixelUnchecked(px, py)));
      break;
    }
    case kDrawModeBWRectangle:
      EraseRubberBand();
      ConvertCellsToGrey(expanded, FChatPalette, NormalisedSpan(startX, startY, ClampToCells(px), ClampToCells(py)));
      break;
    case kDrawModeRectangle:
      // Up to, not including, the release cell's column and row.
      EraseRubberBand();
      FillPixels(expanded, NormalisedSpan(startX, startY, ClampToCells(px), ClampToCells(py)), FActiveColor);
      break;
    case kDrawModeCopy: {
      EraseRubberBand();
      const TRect span = NormalisedSpan(startX, startY, ClampToCells(px), ClampToCells(py));
      FDragEndX = span.Right;
      FDragEndY = span.Bottom;
      FCopyRectLeft = span.Left;
      FCopyRectTop = span.Top;
      FCopyRectRight = span.Right;
      FCopyRectBottom = span.Bottom;
      CopyBlock(expanded, span.Left, span.Top, CopyImage32.Bitmap(), kCopyBufferOffset, kCopyBufferOffset, span.Width(),
                span.Height());
      PasteModeButton.SetEnabled(true);
      break;
    }
    case kDrawModePaste: {
      const int cw = FCopyRectRight - FCopyRectLeft;
      const int ch = FCopyRectBottom - FCopyRectTop;
      // Pushed left and up so that the block stays inside the cells.
      px = std::min(ClampToCells(px), kCellsEnd - cw);
      py = std::min(ClampToCells(py), kCellsEnd - ch);
      CopyBlock(CopyImage32.Bitmap(), kCopyBufferOffset, kCopyBufferOffset, expanded, px, py, cw, ch);
      break;
    }
    case kDrawModeGrabColor:
      if (overView) TakeActiveColor(expanded.GetPixelUnchecked(px, py));
      break;
    case kDrawModeMagnify:
      MagnifyArea(std::clamp(px, 0, kMagnifyCornerMax), std::clamp(py, 0, kMagnifyCornerMax));
      break;
    default:
      break;
  }
  editorHistory_.Commit(expanded);
}

void TForm1::DrawModeButtonClick() { FDrawMode = kDrawModeDraw; }
void TForm1::DotDrawButtonClick() { FDrawMode = kDrawModePixelPainter; }
void TForm1::BWEffectModeButtonClick() { FDrawMode = kDrawModeBWRectangle; }
void TForm1::FillModeButtonClick() { FDrawMode = kDrawModeFloodFill; }
void TForm1::BWDrawModeButtonClick() { FDrawMode = kDrawModeBWPixelPainter; }
void TForm1::CopyModeButtonClick() { FDrawMode = kDrawModeCopy; }
void TForm1::PasteModeButtonClick() { FDrawMode = kDrawModePaste; }
void TForm1::MagnetModeButtonClick() { FDrawMode = kDrawModeGrabColor; }
void TForm1::MagGlassButtonClick() { FDrawMode = kDrawModeMagnify; }
void TForm1::RectangleModeButtonClick() { FDrawMode = kDrawModeRectangle; }

}  // namespace quill
