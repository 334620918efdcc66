#pragma once
// Expansion of the run-length encoded BMP pixel streams (BI_RLE8, BI_RLE4).
#include <cstddef>
#include <cstdint>

namespace quill {

class TBitmap;

// Expands an RLE8 (bits 8) or RLE4 (bits 4) stream into target, whose size and
// indexed format are already set and whose pixels are all 0. The stream's rows
// run bottom-up. Writes that fall outside the bitmap are dropped, never made.
// A stream that ends before its end-of-bitmap code, or mid-instruction, is
// accepted as far as it goes, as Windows does: pixels it never reached, like
// the ones it skipped with delta or end-of-line codes, keep index 0.
void DecodeRle(const std::uint8_t* data, std::size_t size, int bits, TBitmap& target);

}  // namespace quill
