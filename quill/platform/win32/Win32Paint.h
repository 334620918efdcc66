#pragma once
// Drawing helpers of the window backend: colour conversion, the bevels and
// edges of panels and buttons, and putting the models' bitmaps on a device
// context pixel for pixel.
#include <windows.h>

#include <optional>

#include "quill/imaging/Bitmap.h"
#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/Colour32.h"
#include "quill/imaging/DIB.h"
#include "quill/imaging/Palette.h"

namespace quill {

inline COLORREF ColorRefFrom(TColor32 colour) { return SystemColorFromColour32(colour); }

// The classic 3D colours the bevels are drawn with.
constexpr TColor32 kBevelHighlight = MakeColour32(255, 255, 255);
constexpr TColor32 kBevelShadow = MakeColour32(128, 128, 128);
constexpr TColor32 kBevelDarkShadow = MakeColour32(64, 64, 64);

void FillSolid(HDC dc, const RECT& rect, TColor32 colour);

// A one-pixel frame: topLeft on the top and left edges, bottomRight on the
// bottom and right edges. Returns the rectangle inside it.
RECT DrawFrame(HDC dc, const RECT& rect, TColor32 topLeft, TColor32 bottomRight);
// A one-pixel bevel, raised (light top-left) or sunk (light bottom-right).
RECT DrawBevel(HDC dc, const RECT& rect, bool raised);

// Draws bitmap's pixels (top-down 32-bit rows) into destination, stretched
// when the sizes differ. An empty bitmap draws nothing.
void DrawBitmap32(HDC dc, const TBitmap32& bitmap, const RECT& destination);

// Draws a plain bitmap into destination, stretched when the sizes differ.
// Indexed pictures are shown through their colour table; when palette is
// given it is selected and realised first, so palette displays show the
// picture's own colours.
void DrawPlainBitmap(HDC dc, const TBitmap& bitmap, const RECT& destination, const std::optional<TPalette>& palette);

// The DIB graphic's drawing: a logical palette made from its colour table is
// selected and realised, then the packed DIB is drawn stretched into
// destination (colour-on-colour stretching, plain copy). An empty DIB draws
// nothing.
void DrawDIB(HDC dc, const TDIB& dib, const RECT& destination);

// A logical palette object of the entries; empty for no entries.
HPALETTE MakeLogicalPalette(const TPalette& palette);

}  // namespace quill
