#pragma once
// Putting a button's glyph onto its face. The backend fills a bitmap with the
// face colour, paints the glyph into it here and shows the result, so the
// look of enabled and disabled glyphs is decided (and tested) in portable
// code.
#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/Colour32.h"
#include "quill/imaging/Rect.h"

namespace quill {

// Glyph pixels with this alpha let the face show through.
constexpr std::uint8_t kGlyphClearAlpha = 0;
// A disabled glyph is engraved into the face: its dark lines in the shadow
// colour with the highlight one pixel below and to the right, its light
// areas gone into the face.
constexpr TColor32 kGlyphShadow = MakeColour32(128, 128, 128);
constexpr TColor32 kGlyphHighlight = MakeColour32(255, 255, 255);
// Glyph pixels at least this opaque and darker than kGlyphShapeLuma (on the
// 0..255 scale of 299 red + 587 green + 114 blue, per thousand) are the
// lines a disabled glyph keeps; a glyph without such pixels keeps all its
// pixels at least that opaque.
constexpr std::uint8_t kGlyphShapeAlpha = 128;
constexpr int kGlyphShapeLuma = 128;

// Paints glyph onto face with its top-left corner at (x, y), clipped to the
// face: alpha 0 leaves the face pixel, 255 replaces it, values between blend
// (rounded to nearest). Face pixels come out opaque.
void PaintGlyph(TBitmap32& face, const TBitmap32& glyph, int x, int y);

// The disabled look of the same glyph at (x, y): every line pixel becomes
// kGlyphShadow, with kGlyphHighlight one pixel below and to the right where
// no line pixel lies; the rest of the face stays. Colours of the glyph do
// not show. Needs one more column and row of face than the glyph itself.
void PaintDisabledGlyph(TBitmap32& face, const TBitmap32& glyph, int x, int y);

// The top-left corner that centres a width x height picture in area (halves
// of an odd remainder go to the right and bottom).
void CentreIn(const TRect& area, int width, int height, int& x, int& y);

}  // namespace quill
