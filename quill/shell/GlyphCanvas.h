#pragma once
// Small pixel-drawing steps for the program's button glyphs: each writes
// opaque pixels into a 32-bit bitmap, clipped to it, and leaves every other
// pixel alone (glyphs start clear, alpha 0). Rectangles are half-open,
// [x1, x2) x [y1, y2); lines include both ends.
#include "quill/imaging/Bitmap32.h"

namespace quill {

class TGlyphCanvas {
 public:
  // Sizes the bitmap to width x height and clears it.
  TGlyphCanvas(TBitmap32& bitmap, int width, int height);
  // Signals the finished drawing to whoever shows the bitmap.
  ~TGlyphCanvas();
  TGlyphCanvas(const TGlyphCanvas&) = delete;
  TGlyphCanvas& operator=(const TGlyphCanvas&) = delete;

  int Width() const { return bitmap_.Width(); }
  int Height() const { return bitmap_.Height(); }

  void Pixel(int x, int y, TColor32 colour);
  void Fill(int x1, int y1, int x2, int y2, TColor32 colour);
  // The one-pixel outline of [x1, x2) x [y1, y2).
  void Frame(int x1, int y1, int x2, int y2, TColor32 colour);
  // The same outline in dashes of dash pixels, alternating on and off
  // colours, counted around the rectangle from its top-left corner.
  void DashedFrame(int x1, int y1, int x2, int y2, int dash, TColor32 on, TColor32 off);
  void Line(int x1, int y1, int x2, int y2, TColor32 colour);
  // The pixels whose centres lie within a circle. Centre and radius are in
  // half pixels, so a circle can sit on a pixel's centre (odd centre values)
  // or on a pixel corner (even ones): pixel x has its centre at 2x + 1.
  void Disc(int cx2, int cy2, int r2, TColor32 colour);
  // The pixels of that disc whose centres lie outside the inner radius.
  void Ring(int cx2, int cy2, int outerR2, int innerR2, TColor32 colour);
  // The pixels inside a triangle or on its edges; corners are pixels.
  void Triangle(int x1, int y1, int x2, int y2, int x3, int y3, TColor32 colour);

 private:
  TBitmap32& bitmap_;
};

}  // namespace quill
