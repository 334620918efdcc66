#pragma once
// Decoding of BMP files held in memory into plain bitmaps.
//
// Accepted: the 12-byte core header and the 40-, 52-, 56-, 108- and 124-byte
// information headers; 1, 4, 8, 16, 24 and 32 bits per pixel; rows bottom-up,
// or top-down (negative height) when uncompressed; BI_RLE8 and BI_RLE4;
// BI_BITFIELDS and BI_ALPHABITFIELDS for 16 and 32 bits with masks after a
// 40-byte header or inside a larger one.
//
// The result keeps the file's layout where the plain bitmap has it: indexed
// files stay indexed with their colour table (at most 2^bits entries), 16-bit
// 5-5-5 becomes pf15bit, 5-6-5 pf16bit, 24 bits pf24bit and 32 bits pf32bit
// with the fourth byte as stored. Other 16-bit masks become pf24bit, or pf32bit
// when there is an alpha mask; other 32-bit masks become pf32bit with alpha from
// the alpha mask (0 without one).
//
// The pixel data starts at the file header's offset when that lies between the
// end of the headers and the end of the file, else right after the colour table.
#include <cstddef>
#include <cstdint>

#include "quill/imaging/Bitmap.h"

namespace quill {

// Throws EInvalidGraphic with kBitmapNotBmp, kBitmapNotValid, kBitmapUnsupported
// (BmpFormat.h) or the picture-size texts of ImageLimits.h. No bytes at all give
// an empty bitmap.
TBitmap ReadBmp(const std::uint8_t* data, std::size_t size);

}  // namespace quill
