#pragma once
// Cutting a clipboard image into props, the way the chat client takes an
// avatar: 44 x 44 tiles from the top-left corner, row by row; the last column
// and row are narrower when the image is not a multiple of 44. Pixels come out
// as 0x00RRGGBB, looked up in the colour table for indexed images.
#include <cstdint>
#include <vector>

#include "DibReport.h"

namespace loungesim {

constexpr int kPropSize = 44;

struct TProp {
  int Column = 0, Row = 0;            // place in the avatar's grid
  int Width = 0, Height = 0;          // 1..44: the part of the tile the image covers
  std::vector<std::uint32_t> Pixels;  // Width x Height, top row first
};

// dib and summary as SummariseDib checked them. Takes uncompressed 8-, 24- and
// 32-bit images; any other kind throws EDibError. An index past the colour
// table reads as black.
std::vector<TProp> CutIntoProps(const std::vector<std::uint8_t>& dib, const TDibSummary& summary);

}  // namespace loungesim
