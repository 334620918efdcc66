#pragma once
// The pictures on the editor's buttons, drawn pixel by pixel at start-up: one
// per drawing tool, two arrows and a circular arrow for the buttons that move
// the avatar between its two views. Clear pixels have alpha 0; every other
// pixel is opaque.
#include "quill/imaging/Bitmap32.h"

namespace quill {

enum TToolGlyph {
  tgDraw,            // a pencil
  tgPixelPainter,    // a pixel grid with one cell set
  tgFloodFill,       // a paint bucket pouring
  tgRectangle,       // a filled rectangle with its outline
  tgCopy,            // a dashed selection around a block
  tgPaste,           // a clipboard with a page
  tgMagnify,         // a magnifying glass
  tgGrabColor,       // an eyedropper with a drop
  tgBWPixelPainter,  // a pixel grid with one black-and-white cell
  tgBWRectangle,     // a rectangle of grey steps
  tgArrowLeft,       // copy the right image to the left one
  tgArrowRight,      // copy the left image to the right one
  tgCircularArrow,   // reset the right image
};

constexpr int kToolGlyphCount = tgCircularArrow + 1;

// The tool glyphs fit a 32 x 32 button with its bevel and the pixel a
// pressed button's face moves; the arrows fit the 28-pixel-wide buttons.
constexpr int kToolGlyphSize = 24;
constexpr int kArrowGlyphSize = 20;

// Width and height of a glyph kind.
int ToolGlyphSize(TToolGlyph kind);

// Sizes glyph to the kind's size and draws it (clear around the picture).
void DrawToolGlyph(TToolGlyph kind, TBitmap32& glyph);

}  // namespace quill
