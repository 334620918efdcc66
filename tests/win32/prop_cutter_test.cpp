// The stand-in client's cut of a clipboard image into 44 x 44 props: grid,
// edge tiles, row order of bottom-up and top-down images, colour lookup.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "PropCutter.h"

namespace loungesim {
namespace {

void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = std::uint8_t(v >> (8 * i));
}

// width x height (negative: top-down) at bits per pixel; for 8 bits a table
// of `colours` entries where entry i is (red i, green 0, blue 255 - i), and
// pixel (x, y from the top) = (x + y) % 256; deeper pixels are (x, y, 7).
std::vector<std::uint8_t> Dib(int width, int height, int bits, std::uint32_t colours = 0) {
  const int rows = height < 0 ? -height : height;
  const std::size_t stride = (std::size_t(width) * bits + 31) / 32 * 4;
  std::vector<std::uint8_t> dib(40 + colours * 4 + stride * rows, 0);
  Put32(dib, 0, 40);
  Put32(dib, 4, std::uint32_t(width));
  Put32(dib, 8, std::uint32_t(height));
  dib[12] = 1;
  dib[14] = std::uint8_t(bits);
  Put32(dib, 32, colours);
  for (std::uint32_t i = 0; i < colours; ++i) {
    dib[40 + i * 4] = std::uint8_t(255 - i);
    dib[40 + i * 4 + 2] = std::uint8_t(i);
  }
  for (int y = 0; y < rows; ++y) {
    const std::size_t stored = height < 0 ? std::size_t(y) : std::size_t(rows - 1 - y);
    std::uint8_t* row = dib.data() + 40 + colours * 4 + stored * stride;
    for (int x = 0; x < width; ++x) {
      if (bits == 8) row[x] = std::uint8_t(x + y);
      if (bits >= 24) {
        std::uint8_t* p = row + x * (bits / 8);
        p[0] = 7, p[1] = std::uint8_t(y), p[2] = std::uint8_t(x);
      }
    }
  }
  return dib;
}

std::vector<TProp> Cut(const std::vector<std::uint8_t>& dib) { return CutIntoProps(dib, SummariseDib(dib)); }

TEST(PropCutter, CutsTilesRowByRowWithNarrowerEdges) {
  struct TRow {
    int Width, Height, Bits;
    std::size_t Count;
    int LastWidth, LastHeight;
  };
  const TRow rows[] = {
      {132, 132, 8, 9, 44, 44}, {32, 82, 8, 2, 32, 38}, {45, 44, 24, 2, 1, 44}, {100, -50, 32, 6, 12, 6}};
  for (const TRow& r : rows) {
    SCOPED_TRACE(::testing::Message() << r.Width << "x" << r.Height << "x" << r.Bits);
    const std::vector<TProp> props = Cut(Dib(r.Width, r.Height, r.Bits, r.Bits == 8 ? 256 : 0));
    ASSERT_EQ(props.size(), r.Count);
    EXPECT_EQ(props.back().Width, r.LastWidth);
    EXPECT_EQ(props.back().Height, r.LastHeight);
    EXPECT_EQ(props.back().Pixels.size(), std::size_t(r.LastWidth * r.LastHeight));
    // Row by row: the second tile is right of the first when there is room.
    if (r.Width > kPropSize) {
      EXPECT_EQ(props[1].Column, 1);
    }
  }
}

TEST(PropCutter, PixelsComeFromTheTopLeftOfTheirTile) {
  // Bottom-up 8-bit: tile (1, 1), its pixel (2, 3) is image pixel (46, 47), index 93.
  const std::vector<TProp> paletted = Cut(Dib(132, 132, 8, 256));
  EXPECT_EQ(paletted[4].Pixels[3 * 44 + 2], 0x5D00A2u);  // red 93, blue 255 - 93
  // Top-down 24-bit: tile (1, 0), pixel (0, 5) is image pixel (44, 5).
  const std::vector<TProp> direct = Cut(Dib(90, -10, 24));
  EXPECT_EQ(direct[1].Pixels[5 * 44], 0x2C0507u);
}

TEST(PropCutter, IndicesPastTheTableAreBlackAndOtherKindsAreRefused) {
  const std::vector<TProp> props = Cut(Dib(44, 44, 8, 16));
  EXPECT_EQ(props[0].Pixels[15], 0x0F00F0u);  // entry 15
  EXPECT_EQ(props[0].Pixels[16], 0u);         // past the 16 entries
  EXPECT_THROW(Cut(Dib(44, 44, 4, 16)), EDibError);
  EXPECT_THROW(Cut(Dib(44, 44, 16)), EDibError);
}

}  // namespace
}  // namespace loungesim
