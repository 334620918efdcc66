#pragma once
// Reduction of a true-colour picture to a palette chosen by the caller, with
// one of six dither modes, giving a new 8-bit paletted bitmap.
#include <memory>

#include "quill/imaging/Bitmap.h"
#include "quill/imaging/Palette.h"

namespace quill {

class TColorLookup;
class TDitherEngine;

enum TPaletteDither { pdNearest, pdFloydSteinberg, pdStucki, pdSierra, pdJaJuNI, pdBurkes };

// The dither mode for an item of the export's dither radio group ("Nearest",
// "Floyd-S", "Stucki", "Sierra", "JaJuNI", "Burkes"); any other index is Burkes.
TPaletteDither PaletteDitherFromItemIndex(int itemIndex);

// The ditherer for a mode, for rows of the given width; the matcher is used,
// not owned.
std::unique_ptr<TDitherEngine> CreateDitherer(TPaletteDither mode, int width, TColorLookup& matcher);

// Returns a bitmap of the source's size, 8 bits per pixel, whose colour table
// holds the palette's entries (padded with zeros to 256) and whose pixels index
// it. The source is switched to 24 bits per pixel in place; the palette is only
// read. A palette without entries gives an empty bitmap. An empty source raises
// GIFException "Invalid image dimensions": the reduction and its DIB writer
// come from the image library's GIF support, so their failures are that
// library's exception kind and texts, which the message box shows as they are.
std::unique_ptr<TBitmap> ReduceToPalette(TBitmap& source, const TPalette& palette, TPaletteDither mode);

}  // namespace quill
