#pragma once
// Encoding of plain bitmaps as standard BMP files.
//
// Layout: 14-byte file header ("BM", file size, two zero words, pixel offset);
// 40-byte information header with a positive height (rows bottom-up), planes 1,
// no resolution; then for 1, 4 and 8 bits a colour table of exactly 2^bits
// entries (blue, green, red, 0), the bitmap's table padded with black entries
// (the grey ramp when it has none), with colours used = 2^bits; for pf16bit
// BI_BITFIELDS and the three 5-6-5 masks; pf15bit is BI_RGB at 16 bits; 24 and
// 32 bits are BI_RGB. Rows are the bitmap's own, padded to 4 bytes.
#include <cstdint>
#include <vector>

#include "quill/imaging/Bitmap.h"

namespace quill {

// An empty bitmap gives no bytes. Throws EInvalidGraphicOperation when the file
// would pass the 4 GB a BMP header can describe.
std::vector<std::uint8_t> WriteBmp(const TBitmap& bitmap);

}  // namespace quill
