#include "PropCutter.h"

#include <algorithm>

namespace loungesim {
namespace {

constexpr std::uint32_t kInfoHeaderSize = 40;

// The colour of pixel (x, y), y counted from the top. The caller has checked
// that every row lies inside the block (SummariseDib does).
std::uint32_t PixelAt(const std::vector<std::uint8_t>& dib, const TDibSummary& s, std::size_t stride, int x, int y) {
  const int height = s.Height < 0 ? -s.Height : s.Height;
  const std::size_t storedRow = s.Height < 0 ? std::size_t(y) : std::size_t(height - 1 - y);
  const std::uint8_t* row = dib.data() + s.BitsOffset + storedRow * stride;
  if (s.BitsPerPixel == 8) {
    const unsigned index = row[x];
    if (index >= s.Colours) return 0;
    const std::uint8_t* entry = dib.data() + s.BitsOffset - s.Colours * 4 + index * 4;
    return std::uint32_t(entry[2]) << 16 | std::uint32_t(entry[1]) << 8 | entry[0];
  }
  const std::uint8_t* p = row + std::size_t(x) * (s.BitsPerPixel / 8);
  return std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
}

}  // namespace

std::vector<TProp> CutIntoProps(const std::vector<std::uint8_t>& dib, const TDibSummary& s) {
  const bool supported = (s.BitsPerPixel == 8 || s.BitsPerPixel == 24 || s.BitsPerPixel == 32) && s.Compression == 0 &&
                         s.BitsOffset >= kInfoHeaderSize + s.Colours * 4;
  if (!supported) throw EDibError("props need an uncompressed 8-, 24- or 32-bit image");
  const std::size_t stride = (std::size_t(s.Width) * s.BitsPerPixel + 31) / 32 * 4;
  const int height = s.Height < 0 ? -s.Height : s.Height;
  std::vector<TProp> props;
  for (int top = 0; top < height; top += kPropSize)
    for (int left = 0; left < s.Width; left += kPropSize) {
      TProp prop;
      prop.Column = left / kPropSize;
      prop.Row = top / kPropSize;
      prop.Width = std::min(kPropSize, s.Width - left);
      prop.Height = std::min(kPropSize, height - top);
      prop.Pixels.reserve(std::size_t(prop.Width) * prop.Height);
      for (int y = 0; y < prop.Height; ++y)
        for (int x = 0; x < prop.Width; ++x) prop.Pixels.push_back(PixelAt(dib, s, stride, left + x, top + y));
      props.push_back(std::move(prop));
    }
  return props;
}

}  // namespace loungesim
