#include "quill/shell/ToolGlyphs.h"

#include <cstdlib>

#include "quill/shell/FormLayout.h"
#include "quill/shell/GlyphCanvas.h"

namespace quill {
namespace {

constexpr TColor32 kClear = 0;
constexpr TColor32 kInk = MakeColour32(0, 0, 0);
constexpr TColor32 kPaper = MakeColour32(255, 255, 255);
// The colour the painting tools show as "the active colour".
constexpr TColor32 kPaint = MakeColour32(0, 90, 220);
constexpr TColor32 kGridLine = MakeColour32(64, 64, 64);
constexpr TColor32 kPencilBody = MakeColour32(240, 190, 0);
constexpr TColor32 kPencilFacet = MakeColour32(255, 225, 90);
constexpr TColor32 kPencilWood = MakeColour32(235, 200, 150);
constexpr TColor32 kPencilLead = MakeColour32(50, 50, 50);
constexpr TColor32 kMetal = MakeColour32(175, 175, 175);
constexpr TColor32 kEraser = MakeColour32(235, 125, 145);
constexpr TColor32 kBucket = MakeColour32(225, 225, 225);
constexpr TColor32 kBoard = MakeColour32(160, 100, 45);
constexpr TColor32 kTextLine = MakeColour32(140, 140, 140);
constexpr TColor32 kGlass = MakeColour32(175, 220, 255);
constexpr TColor32 kHandle = MakeColour32(95, 55, 25);
constexpr TColor32 kBulb = MakeColour32(150, 20, 20);
// The arrows sit on the black page, in the page's text colour.
constexpr TColor32 kArrow = kTextColour;

// Draws a shape given pixel by pixel (0 outside it) with a black outline on
// its own edge pixels: those with a 4-neighbour outside the shape.
template <class ColourAt>
void DrawOutlined(TGlyphCanvas& canvas, ColourAt colourAt) {
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      const TColor32 colour = colourAt(x, y);
      if (colour == kClear) continue;
      const bool edge = colourAt(x - 1, y) == kClear || colourAt(x + 1, y) == kClear || colourAt(x, y - 1) == kClear ||
                        colourAt(x, y + 1) == kClear;
      canvas.Pixel(x, y, edge ? kInk : colour);
    }
  }
}

// A tool lying diagonally, its tip at the lower left. along counts from the
// tip toward the upper right (2 per diagonal step), across from the axis.
struct TDiagonal {
  int TipX, TipY;
  int Along(int x, int y) const { return (x - TipX) - (y - TipY); }
  int Across(int x, int y) const { return (x - TipX) + (y - TipY); }
};

void DrawPencil(TGlyphCanvas& canvas) {
  constexpr TDiagonal axis{3, 20};
  constexpr int kHalfWidth = 5;
  DrawOutlined(canvas, [&](int x, int y) -> TColor32 {
    const int along = axis.Along(x, y);
    const int across = std::abs(axis.Across(x, y));
    if (along < 0 || along > 33) return 0;
    if (along < 10) {
      // The sharpened cone: lead at the point, bare wood behind it.
      if (across * 10 > along * kHalfWidth + 2) return 0;
      return along < 4 ? kPencilLead : kPencilWood;
    }
    if (across > kHalfWidth) return 0;
    if (along < 26) return across <= 1 ? kPencilFacet : kPencilBody;
    return along < 29 ? kMetal : kEraser;
  });
}

void DrawEyedropper(TGlyphCanvas& canvas) {
  constexpr TDiagonal axis{4, 18};
  DrawOutlined(canvas, [&](int x, int y) -> TColor32 {
    const int along = axis.Along(x, y);
    const int across = std::abs(axis.Across(x, y));
    if (along < 0 || along > 32) return 0;
    if (along < 4) return across <= 1 ? kPaint : 0;
    if (along < 18) return across <= 3 ? (along < 10 && across <= 1 ? kPaint : kPaper) : 0;
    if (along < 21) return across <= 5 ? kMetal : 0;
    // The rubber bulb, rounded at its end.
    const int reach = along > 28 ? 5 - (along - 28) : 5;
    return across <= reach ? kBulb : 0;
  });
  // A drop falling from the tip.
  canvas.Fill(4, 20, 5, 21, kPaint);
  canvas.Fill(3, 21, 6, 23, kPaint);
  canvas.Fill(4, 23, 5, 24, kPaint);
}

// A 3 x 3 grid of 6-pixel cells between 1-pixel lines.
constexpr int kGridFirst = 1;
constexpr int kGridStep = 7;
constexpr int kGridCells = 3;

void DrawPixelGrid(TGlyphCanvas& canvas) {
  for (int i = 0; i <= kGridCells; ++i) {
    const int at = kGridFirst + i * kGridStep;
    canvas.Fill(at, kGridFirst, at + 1, kGridFirst + kGridCells * kGridStep + 1, kGridLine);
    canvas.Fill(kGridFirst, at, kGridFirst + kGridCells * kGridStep + 1, at + 1, kGridLine);
  }
}

// The inside of grid cell (column, row).
void FillCell(TGlyphCanvas& canvas, int column, int row, TColor32 colour) {
  const int left = kGridFirst + column * kGridStep + 1;
  const int top = kGridFirst + row * kGridStep + 1;
  canvas.Fill(left, top, left + kGridStep - 1, top + kGridStep - 1, colour);
}

void DrawPixelPainter(TGlyphCanvas& canvas) {
  DrawPixelGrid(canvas);
  FillCell(canvas, 1, 1, kPaint);
}

void DrawBWPixelPainter(TGlyphCanvas& canvas) {
  DrawPixelGrid(canvas);
  FillCell(canvas, 1, 1, kPaper);
  // The cell's upper-left half black: a cell turned to its grey.
  const int left = kGridFirst + kGridStep + 1;
  for (int i = 0; i < kGridStep - 1; ++i) canvas.Fill(left, left + i, left + kGridStep - 1 - i, left + i + 1, kInk);
}

void DrawFloodFill(TGlyphCanvas& canvas) {
  // The handle over the bucket.
  canvas.Ring(24, 17, 15, 12, kInk);
  canvas.Fill(0, 9, 24, 24, kClear);
  // The bucket, narrowing toward its foot, full of paint to the brim.
  DrawOutlined(canvas, [](int x, int y) -> TColor32 {
    if (y < 8 || y > 21) return 0;
    const int inset = (y - 8) * 2 / 13;
    if (x < 4 + inset || x > 18 - inset) return 0;
    return y <= 10 ? kPaint : kBucket;
  });
  // Paint running over the right rim into a puddle.
  canvas.Fill(19, 8, 21, 18, kPaint);
  canvas.Fill(18, 7, 20, 9, kPaint);
  canvas.Fill(16, 21, 24, 23, kPaint);
  canvas.Fill(19, 18, 22, 21, kPaint);
}

void DrawRectangle(TGlyphCanvas& canvas) {
  canvas.Fill(2, 5, 22, 19, kPaint);
  canvas.Frame(2, 5, 22, 19, kInk);
  canvas.Frame(3, 6, 21, 18, kInk);
}

void DrawBWRectangle(TGlyphCanvas& canvas) {
  // Split corner to corner, white above the diagonal and black below, as the
  // B/W pixel painter's cell.
  DrawOutlined(canvas, [](int x, int y) -> TColor32 {
    if (x < 2 || x >= 22 || y < 5 || y >= 19) return 0;
    return (x - 2) * 14 < (y - 5) * 20 ? kInk : kPaper;
  });
}

void DrawCopy(TGlyphCanvas& canvas) {
  canvas.DashedFrame(1, 3, 23, 21, 2, kInk, kPaper);
  canvas.Fill(7, 8, 17, 16, kPaint);
  canvas.Frame(7, 8, 17, 16, kInk);
}

void DrawPaste(TGlyphCanvas& canvas) {
  canvas.Fill(4, 3, 20, 24, kBoard);
  canvas.Frame(4, 3, 20, 24, kInk);
  canvas.Fill(7, 6, 17, 21, kPaper);
  canvas.Frame(7, 6, 17, 21, kInk);
  for (int row = 0; row < 4; ++row) canvas.Fill(9, 10 + 3 * row, row % 2 ? 13 : 15, 11 + 3 * row, kTextLine);
  // The clip holding the page.
  canvas.Fill(8, 1, 16, 6, kMetal);
  canvas.Frame(8, 1, 16, 6, kInk);
  canvas.Fill(10, 2, 14, 3, kInk);
}

void DrawMagnify(TGlyphCanvas& canvas) {
  // The handle, a band from the rim down to the lower right.
  DrawOutlined(canvas, [](int x, int y) -> TColor32 {
    const int along = (x - 9) + (y - 9);
    const int across = std::abs((x - 9) - (y - 9));
    return along >= 8 && along <= 26 && across <= 2 ? kHandle : 0;
  });
  canvas.Disc(19, 19, 11, kGlass);
  canvas.Ring(19, 19, 15, 11, kInk);
  // A glint on the glass.
  canvas.Fill(6, 6, 8, 7, kPaper);
  canvas.Fill(6, 7, 7, 8, kPaper);
}

// The left arrow: a head 16 rows tall and a shaft 6 rows thick, on the
// middle rows of a 20 x 20 glyph. mirror draws the right arrow.
void DrawArrow(TGlyphCanvas& canvas, bool mirror) {
  const int size = canvas.Width();
  for (int y = 0; y < canvas.Height(); ++y) {
    const int distance = std::abs(2 * y + 1 - canvas.Height());  // 1 on the two middle rows
    int from = size, to = 0;
    if (distance <= 15) {
      from = 1 + (distance - 1) / 2;
      to = 9;
    }
    if (distance <= 5) to = size - 1;
    if (from >= to) continue;
    if (mirror) canvas.Fill(size - to, y, size - from, y + 1, kArrow);
    else canvas.Fill(from, y, to, y + 1, kArrow);
  }
}

void DrawCircularArrow(TGlyphCanvas& canvas) {
  // Three quarters of a ring, open in the upper right quarter; the head at
  // its upper end points clockwise into the opening.
  constexpr int kCentreX2 = 20, kCentreY2 = 23;
  canvas.Ring(kCentreX2, kCentreY2, 16, 9, kArrow);
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      const int dx = 2 * x + 1 - kCentreX2;
      const int dy = 2 * y + 1 - kCentreY2;
      if (dx > 0 && dy < 0 && -dy * 4 >= dx) canvas.Fill(x, y, x + 1, y + 1, kClear);
    }
  }
  canvas.Triangle(10, 0, 10, 10, 15, 5, kArrow);
}

}  // namespace

int ToolGlyphSize(TToolGlyph kind) {
  switch (kind) {
    case tgArrowLeft:
    case tgArrowRight:
    case tgCircularArrow:
      return kArrowGlyphSize;
    default:
      return kToolGlyphSize;
  }
}

void DrawToolGlyph(TToolGlyph kind, TBitmap32& glyph) {
  TGlyphCanvas canvas(glyph, ToolGlyphSize(kind), ToolGlyphSize(kind));
  switch (kind) {
    case tgDraw:
      DrawPencil(canvas);
      break;
    case tgPixelPainter:
      DrawPixelPainter(canvas);
      break;
    case tgFloodFill:
      DrawFloodFill(canvas);
      break;
    case tgRectangle:
      DrawRectangle(canvas);
      break;
    case tgCopy:
      DrawCopy(canvas);
      break;
    case tgPaste:
      DrawPaste(canvas);
      break;
    case tgMagnify:
      DrawMagnify(canvas);
      break;
    case tgGrabColor:
      DrawEyedropper(canvas);
      break;
    case tgBWPixelPainter:
      DrawBWPixelPainter(canvas);
      break;
    case tgBWRectangle:
      DrawBWRectangle(canvas);
      break;
    case tgArrowLeft:
      DrawArrow(canvas, false);
      break;
    case tgArrowRight:
      DrawArrow(canvas, true);
      break;
    case tgCircularArrow:
      DrawCircularArrow(canvas);
      break;
  }
}

}  // namespace quill
