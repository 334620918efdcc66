#include "quill/shell/GlyphCanvas.h"

#include <algorithm>
#include <cstdlib>

namespace quill {
namespace {

// Twice the signed area of (a, b, p): which side of the edge a-b p lies on.
int EdgeSide(int ax, int ay, int bx, int by, int px, int py) { return (bx - ax) * (py - ay) - (by - ay) * (px - ax); }

// Squared distance, in half pixels, of pixel (x, y)'s centre from a centre.
int DistanceSquared2(int x, int y, int cx2, int cy2) {
  const int dx = 2 * x + 1 - cx2;
  const int dy = 2 * y + 1 - cy2;
  return dx * dx + dy * dy;
}

}  // namespace

TGlyphCanvas::TGlyphCanvas(TBitmap32& bitmap, int width, int height) : bitmap_(bitmap) {
  bitmap_.BeginUpdate();
  bitmap_.ChangeSize(width, height);
  bitmap_.FillAll(0);
}

TGlyphCanvas::~TGlyphCanvas() {
  bitmap_.EndUpdate();
  bitmap_.NotifyChanged();
}

void TGlyphCanvas::Pixel(int x, int y, TColor32 colour) {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) return;
  bitmap_.SetPixelUnchecked(x, y, colour);
}

void TGlyphCanvas::Fill(int x1, int y1, int x2, int y2, TColor32 colour) {
  // Its change signal waits for the end of the drawing (BeginUpdate above).
  bitmap_.FillBlockClipped(x1, y1, x2, y2, colour);
}

void TGlyphCanvas::Frame(int x1, int y1, int x2, int y2, TColor32 colour) {
  if (x2 <= x1 || y2 <= y1) return;
  Fill(x1, y1, x2, y1 + 1, colour);
  Fill(x1, y2 - 1, x2, y2, colour);
  Fill(x1, y1, x1 + 1, y2, colour);
  Fill(x2 - 1, y1, x2, y2, colour);
}

void TGlyphCanvas::DashedFrame(int x1, int y1, int x2, int y2, int dash, TColor32 on, TColor32 off) {
  if (x2 <= x1 || y2 <= y1 || dash <= 0) return;
  int step = 0;
  const auto put = [&](int x, int y) { Pixel(x, y, (step++ / dash) % 2 == 0 ? on : off); };
  // Clockwise from the top-left corner, each corner pixel once.
  for (int x = x1; x < x2 - 1; ++x) put(x, y1);
  for (int y = y1; y < y2 - 1; ++y) put(x2 - 1, y);
  for (int x = x2 - 1; x > x1; --x) put(x, y2 - 1);
  for (int y = y2 - 1; y > y1; --y) put(x1, y);
}

void TGlyphCanvas::Line(int x1, int y1, int x2, int y2, TColor32 colour) {
  const int dx = std::abs(x2 - x1);
  const int dy = -std::abs(y2 - y1);
  const int sx = x1 < x2 ? 1 : -1;
  const int sy = y1 < y2 ? 1 : -1;
  int error = dx + dy;
  for (;;) {
    Pixel(x1, y1, colour);
    if (x1 == x2 && y1 == y2) return;
    const int doubled = 2 * error;
    if (doubled >= dy) {
      error += dy;
      x1 += sx;
    }
    if (doubled <= dx) {
      error += dx;
      y1 += sy;
    }
  }
}

void TGlyphCanvas::Disc(int cx2, int cy2, int r2, TColor32 colour) { Ring(cx2, cy2, r2, -1, colour); }

void TGlyphCanvas::Ring(int cx2, int cy2, int outerR2, int innerR2, TColor32 colour) {
  const int outer = outerR2 * outerR2;
  const int inner = innerR2 < 0 ? -1 : innerR2 * innerR2;
  for (int y = 0; y < Height(); ++y) {
    for (int x = 0; x < Width(); ++x) {
      const int d = DistanceSquared2(x, y, cx2, cy2);
      if (d <= outer && d > inner) bitmap_.SetPixelUnchecked(x, y, colour);
    }
  }
}

void TGlyphCanvas::Triangle(int x1, int y1, int x2, int y2, int x3, int y3, TColor32 colour) {
  for (int y = std::max(std::min({y1, y2, y3}), 0); y <= std::min(std::max({y1, y2, y3}), Height() - 1); ++y) {
    for (int x = std::max(std::min({x1, x2, x3}), 0); x <= std::min(std::max({x1, x2, x3}), Width() - 1); ++x) {
      const int a = EdgeSide(x1, y1, x2, y2, x, y);
      const int b = EdgeSide(x2, y2, x3, y3, x, y);
      const int c = EdgeSide(x3, y3, x1, y1, x, y);
      if ((a >= 0 && b >= 0 && c >= 0) || (a <= 0 && b <= 0 && c <= 0)) bitmap_.SetPixelUnchecked(x, y, colour);
    }
  }
}

}  // namespace quill
