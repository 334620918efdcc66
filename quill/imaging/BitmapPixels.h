#pragma once
// Single pixels of plain-bitmap rows in every pixel format, the default colour
// tables and the nearest-colour matching used when a bitmap becomes indexed.
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "quill/imaging/Bitmap.h"
#include "quill/imaging/Colour32.h"
#include "quill/imaging/Palette.h"

namespace quill {

// Widens an n-bit channel value to 8 bits by repeating its bit pattern, so that
// 0 stays 0, the largest value becomes 255 and the top bits are kept: narrowing
// again by dropping low bits gives the original value back.
std::uint8_t ExpandChannel(std::uint32_t value, int bits);

// Index of pixel x of a 1-, 4- or 8-bit row (leftmost pixel in the high bits).
int ReadRowIndex(const std::uint8_t* row, int x, int bits);
void WriteRowIndex(std::uint8_t* row, int x, int bits, int index);

// The colour of pixel x as 0xAARRGGBB. Indexed pixels look their index up in
// table; an index past its end reads as 0 (black). Alpha is the stored byte for
// pf32bit and 0 for every other format.
TColor32 ReadRowPixel(const std::uint8_t* row, int x, TPixelFormat format, const std::vector<TPaletteEntry>& table);
// Stores c into pixel x of a 15-, 16-, 24- or 32-bit row; narrower channels keep
// the top bits of c's channels, only pf32bit keeps alpha.
void WriteRowColour(std::uint8_t* row, int x, TPixelFormat format, TColor32 c);

// The table an indexed bitmap without a colour table of its own is seen with:
// a grey ramp from black to white of 2, 16 or 256 steps. Empty for 15 bits and up.
const std::vector<TPaletteEntry>& DefaultColourTable(TPixelFormat format);

// Nearest entry of a colour table by the sum of absolute channel differences;
// the lowest index wins a tie. Answers are remembered per colour.
class TNearestColour {
 public:
  explicit TNearestColour(const std::vector<TPaletteEntry>& table) : table_(table) {}
  int Match(TColor32 c);

 private:
  const std::vector<TPaletteEntry>& table_;
  std::unordered_map<std::uint32_t, std::uint8_t> cache_;
};

}  // namespace quill
