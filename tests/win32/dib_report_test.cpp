// The stand-in client's reading of a clipboard DIB: summary line, BMP file,
// and refusal of blocks too short for what their header claims.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "DibReport.h"

namespace loungesim {
namespace {

void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = std::uint8_t(v >> (8 * i));
}

// An info-header DIB: width x height, bits per pixel, colours in the table
// (clrUsed), with exactly the bytes its rows need.
std::vector<std::uint8_t> InfoDib(int width, int height, int bits, std::uint32_t colours,
                                  std::uint32_t compression = 0) {
  const std::size_t masks = compression == 3 ? 12 : 0;
  const std::size_t stride = (std::size_t(width) * bits + 31) / 32 * 4;
  const std::size_t rows = stride * std::size_t(height < 0 ? -height : height);
  std::vector<std::uint8_t> dib(40 + masks + colours * 4 + rows, 0);
  Put32(dib, 0, 40);
  Put32(dib, 4, std::uint32_t(width));
  Put32(dib, 8, std::uint32_t(height));
  dib[12] = 1;
  dib[14] = std::uint8_t(bits);
  Put32(dib, 16, compression);
  Put32(dib, 32, colours);
  return dib;
}

TEST(DibReport, SummarisesAPalettedAvatar) {
  const std::vector<std::uint8_t> dib = InfoDib(132, 132, 8, 256);
  const TDibSummary summary = SummariseDib(dib);
  EXPECT_EQ(summary.Width, 132);
  EXPECT_EQ(summary.Height, 132);
  EXPECT_EQ(summary.BitsPerPixel, 8u);
  EXPECT_EQ(summary.Colours, 256u);
  EXPECT_EQ(summary.BitsOffset, 40u + 1024u);
  EXPECT_EQ(FormatSummary(summary).rfind("CF_DIB 132x132 8bpp colours=256 compression=0 bytes=18488 table=", 0), 0u)
      << FormatSummary(summary);
}

TEST(DibReport, ColourCountDefaultsToTheFullTableForIndexedFormats) {
  // clrUsed 0 with 8 bits per pixel: a table of 256 entries before the rows.
  std::vector<std::uint8_t> dib = InfoDib(4, 4, 8, 0);
  dib.insert(dib.begin() + 40, 256 * 4, 0);
  const TDibSummary summary = SummariseDib(dib);
  EXPECT_EQ(summary.Colours, 256u);
  EXPECT_EQ(summary.BitsOffset, 40u + 1024u);
  // Without those table bytes the block is too short.
  EXPECT_THROW(SummariseDib(InfoDib(4, 4, 8, 0)), EDibError);
}

TEST(DibReport, TrueColourAndBitfieldsHaveNoTableButMasks) {
  EXPECT_EQ(SummariseDib(InfoDib(3, 2, 24, 0)).BitsOffset, 40u);
  EXPECT_EQ(SummariseDib(InfoDib(3, 2, 32, 0, 3)).BitsOffset, 52u);
  EXPECT_EQ(SummariseDib(InfoDib(3, -2, 32, 0)).Height, -2);
}

TEST(DibReport, CoreHeaderUsesThreeByteColours) {
  std::vector<std::uint8_t> dib(12 + 2 * 3 + 2 * 4, 0);
  dib[0] = 12;
  dib[4] = 2;   // width
  dib[6] = 2;   // height
  dib[8] = 1;   // planes
  dib[10] = 1;  // 1 bit per pixel
  const TDibSummary summary = SummariseDib(dib);
  EXPECT_EQ(summary.Colours, 2u);
  EXPECT_EQ(summary.BitsOffset, 18u);
}

TEST(DibReport, RefusesBlocksShorterThanTheirHeaderClaims) {
  std::vector<std::uint8_t> full = InfoDib(132, 132, 8, 256);
  struct TCase {
    const char* What;
    std::vector<std::uint8_t> Dib;
  };
  std::vector<TCase> cases = {
      {"no bytes", {}},
      {"half a header", std::vector<std::uint8_t>(full.begin(), full.begin() + 20)},
      {"half a colour table", std::vector<std::uint8_t>(full.begin(), full.begin() + 40 + 512)},
      {"one row short", std::vector<std::uint8_t>(full.begin(), full.end() - 132)},
  };
  std::vector<std::uint8_t> oddHeader = full;
  Put32(oddHeader, 0, 20);
  cases.push_back({"unknown header size", oddHeader});
  std::vector<std::uint8_t> zeroWidth = full;
  Put32(zeroWidth, 4, 0);
  cases.push_back({"zero width", zeroWidth});
  std::vector<std::uint8_t> hugeTable = full;
  Put32(hugeTable, 32, 0x40000000u);
  cases.push_back({"colour count past any table", hugeTable});
  std::vector<std::uint8_t> hugeHeight = full;
  Put32(hugeHeight, 8, 0x7FFFFFFFu);
  cases.push_back({"height past the limit", hugeHeight});
  for (const TCase& c : cases) EXPECT_THROW(SummariseDib(c.Dib), EDibError) << c.What;
}

TEST(DibReport, BmpFileIsAFileHeaderInFrontOfTheBlock) {
  const std::vector<std::uint8_t> dib = InfoDib(2, 2, 8, 256);
  const std::vector<std::uint8_t> file = MakeBmpFile(dib, SummariseDib(dib));
  ASSERT_EQ(file.size(), 14 + dib.size());
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(file[2] | file[3] << 8 | file[4] << 16, int(file.size()));
  EXPECT_EQ(file[10] | file[11] << 8, 14 + 40 + 1024);
  EXPECT_TRUE(std::equal(dib.begin(), dib.end(), file.begin() + 14));
}

}  // namespace
}  // namespace loungesim
