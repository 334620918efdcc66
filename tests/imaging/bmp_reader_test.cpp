// Hand-built BMP files of every header kind, bit depth, row order, run-length
// encoding and channel-mask layout, and the broken files that must be refused.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>

#include "bmp_test_file.h"
#include "quill/base/Errors.h"
#include "quill/imaging/Bitmap.h"
#include "quill/imaging/BmpFormat.h"
#include "quill/imaging/ImageLimits.h"

namespace quill {
namespace {

using bmptest::Bytes;
using bmptest::BuildBmp;
using bmptest::DistinctTable;
using bmptest::PaddedRows;
using bmptest::TBmpLayout;

constexpr TColor32 Rgb(int r, int g, int b) {
  return MakeColour32(std::uint8_t(r), std::uint8_t(g), std::uint8_t(b), 0);
}

TColor32 Distinct(int i) { return Rgb(i, 255 - i, (i * 7) & 255); }

TBitmap Load(const Bytes& file) {
  TBitmap bitmap;
  bitmap.LoadFromStream(file.data(), file.size());
  return bitmap;
}

std::vector<TColor32> RowColours(const TBitmap& b, int y) {
  std::vector<TColor32> row;
  for (int x = 0; x < b.Width(); ++x) row.push_back(b.PixelColour(x, y));
  return row;
}

// Pixel indices of row y of an indexed bitmap, read straight from its bytes.
std::vector<int> RowIndices(const TBitmap& b, int y) {
  std::vector<int> row;
  const std::uint8_t* p = b.ScanLine(y);
  for (int x = 0; x < b.Width(); ++x) {
    if (b.PixelFormat() == pf8bit) row.push_back(p[x]);
    if (b.PixelFormat() == pf4bit) row.push_back(x % 2 ? p[x / 2] & 15 : p[x / 2] >> 4);
  }
  return row;
}

struct TDepthCase {
  const char* Name;
  std::uint16_t Bits;
  int Width;
  std::vector<TPaletteEntry> Table;
  Bytes BottomRow, TopRow;
  std::vector<TColor32> BottomColours, TopColours;
  TPixelFormat Format;
};

std::vector<TDepthCase> DepthCases() {
  const TColor32 a = Rgb(10, 20, 30), b = Rgb(200, 210, 220);
  // One table row a line, as the cases read best.
  // clang-format off
  return {
      {"1 bit across a byte", 1, 10, bmptest::Table({{10, 20, 30, 0}, {200, 210, 220, 0}}),
       {0xA5, 0xC0}, {0x0F, 0x40},
       {b, a, b, a, a, b, a, b, b, b}, {a, a, a, a, b, b, b, b, a, b}, pf1bit},
      {"4 bits, odd width", 4, 3, DistinctTable(16), {0x12, 0x30}, {0xF0, 0xA0},
       {Distinct(1), Distinct(2), Distinct(3)}, {Distinct(15), Distinct(0), Distinct(10)}, pf4bit},
      {"8 bits", 8, 3, DistinctTable(256), {0, 1, 255}, {7, 8, 9},
       {Distinct(0), Distinct(1), Distinct(255)}, {Distinct(7), Distinct(8), Distinct(9)}, pf8bit},
      {"16 bits 5-5-5, top bit ignored", 16, 3, {}, {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00},
       {0x00, 0x00, 0xFF, 0xFF, 0x10, 0x42},
       {Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 0, 255)}, {Rgb(0, 0, 0), Rgb(255, 255, 255), Rgb(132, 132, 132)},
       pf15bit},
      {"24 bits", 24, 3, {}, {1, 2, 3, 4, 5, 6, 7, 8, 9}, {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF},
       {Rgb(3, 2, 1), Rgb(6, 5, 4), Rgb(9, 8, 7)}, {Rgb(0, 0, 255), Rgb(0, 255, 0), Rgb(255, 0, 0)}, pf24bit},
      {"32 bits keep the fourth byte", 32, 2, {}, {1, 2, 3, 4, 5, 6, 7, 8},
       {0x10, 0x20, 0x30, 0x00, 0xAA, 0xBB, 0xCC, 0xFF},
       {MakeColour32(3, 2, 1, 4), MakeColour32(7, 6, 5, 8)},
       {MakeColour32(0x30, 0x20, 0x10, 0), MakeColour32(0xCC, 0xBB, 0xAA, 0xFF)}, pf32bit},
  };
  // clang-format on
}

TEST(BmpReader, ReadsEveryBitDepthBottomUpAndTopDown) {
  for (const TDepthCase& c : DepthCases()) {
    for (bool topDown : {false, true}) {
      SCOPED_TRACE(std::string(c.Name) + (topDown ? ", top-down" : ", bottom-up"));
      TBmpLayout layout;
      layout.Width = c.Width;
      layout.Height = topDown ? -2 : 2;
      layout.BitCount = c.Bits;
      layout.Table = c.Table;
      layout.Pixels = topDown ? PaddedRows({c.TopRow, c.BottomRow}) : PaddedRows({c.BottomRow, c.TopRow});
      const TBitmap bitmap = Load(BuildBmp(layout));
      EXPECT_EQ(bitmap.PixelFormat(), c.Format);
      EXPECT_EQ(bitmap.Width(), c.Width);
      EXPECT_EQ(bitmap.Height(), 2);
      EXPECT_EQ(bitmap.ColourTable().size(), c.Table.size());
      EXPECT_EQ(RowColours(bitmap, 0), c.TopColours);
      EXPECT_EQ(RowColours(bitmap, 1), c.BottomColours);
    }
  }
}

TEST(BmpReader, ReadsEveryHeaderKind) {
  for (std::uint32_t headerSize : {12u, 40u, 52u, 56u, 108u, 124u}) {
    SCOPED_TRACE(headerSize);
    TBmpLayout layout;
    layout.HeaderSize = headerSize;
    layout.Width = 3;
    layout.Height = 2;
    layout.BitCount = 4;
    layout.Table = DistinctTable(16);
    layout.Pixels = PaddedRows({{0x12, 0x30}, {0xF0, 0xA0}});
    const TBitmap bitmap = Load(BuildBmp(layout));
    EXPECT_EQ(bitmap.PixelFormat(), pf4bit);
    EXPECT_EQ(bitmap.ColourTable(), DistinctTable(16));
    EXPECT_EQ(RowIndices(bitmap, 0), (std::vector<int>{15, 0, 10}));
    EXPECT_EQ(RowIndices(bitmap, 1), (std::vector<int>{1, 2, 3}));
  }
}

TEST(BmpReader, CoreHeaderReadsThreeByteColourEntriesAndTwentyFourBits) {
  TBmpLayout indexed;
  indexed.HeaderSize = 12;
  indexed.Width = 2;
  indexed.BitCount = 8;
  indexed.Table = DistinctTable(256);
  indexed.Pixels = PaddedRows({{200, 3}});
  const TBitmap a = Load(BuildBmp(indexed));
  EXPECT_EQ(a.ColourTable(), DistinctTable(256));
  EXPECT_EQ(RowColours(a, 0), (std::vector<TColor32>{Distinct(200), Distinct(3)}));

  TBmpLayout rgb;
  rgb.HeaderSize = 12;
  rgb.Width = 1;
  rgb.Pixels = PaddedRows({{1, 2, 3}});
  const TBitmap b = Load(BuildBmp(rgb));
  EXPECT_EQ(b.PixelFormat(), pf24bit);
  EXPECT_EQ(b.PixelColour(0, 0), Rgb(3, 2, 1));
}

TEST(BmpReader, ColoursUsedShortensTheTableAndIndicesPastItReadBlack) {
  TBmpLayout layout;
  layout.Width = 2;
  layout.BitCount = 8;
  layout.ColoursUsed = 2;
  layout.Table = DistinctTable(2);
  layout.Pixels = PaddedRows({{1, 5}});
  const TBitmap bitmap = Load(BuildBmp(layout));
  EXPECT_EQ(bitmap.ColourTable(), DistinctTable(2));
  EXPECT_EQ(RowColours(bitmap, 0), (std::vector<TColor32>{Distinct(1), 0u}));
}

TEST(BmpReader, ColoursUsedBeyondTheDepthKeepsOnlyWhatTheDepthCanIndex) {
  TBmpLayout layout;
  layout.BitCount = 1;
  layout.ColoursUsed = 1000;
  layout.Table = DistinctTable(2);  // the file holds only two; the offset says where pixels are
  layout.Pixels = PaddedRows({{0x80}});
  const TBitmap bitmap = Load(BuildBmp(layout));
  EXPECT_EQ(bitmap.ColourTable(), DistinctTable(2));
  EXPECT_EQ(bitmap.PixelColour(0, 0), Distinct(1));
}

TEST(BmpReader, HonoursThePixelOffsetAcrossAGap) {
  TBmpLayout layout;
  layout.Gap = Bytes(6, 0xEE);
  layout.Pixels = PaddedRows({{1, 2, 3}});
  EXPECT_EQ(Load(BuildBmp(layout)).PixelColour(0, 0), Rgb(3, 2, 1));
}

TEST(BmpReader, UnusablePixelOffsetFallsBackToRightAfterTheColourTable) {
  struct TCase {
    const char* Name;
    std::uint32_t Offset;
  };
  for (const TCase& c : {TCase{"zero", 0}, TCase{"past the end", 100000}, TCase{"inside the header", 20},
                         TCase{"at the very end", 14 + 40 + 8 + 4}}) {
    SCOPED_TRACE(c.Name);
    TBmpLayout layout;
    layout.BitCount = 1;
    layout.Table = DistinctTable(2);
    layout.Pixels = PaddedRows({{0x80}});
    layout.PixelOffset = c.Offset;
    EXPECT_EQ(Load(BuildBmp(layout)).PixelColour(0, 0), Distinct(1));
  }
}

// ---- run-length encoding ----

TBitmap LoadRle(std::uint16_t bits, int width, int height, Bytes stream, std::uint32_t imageSize = 0) {
  TBmpLayout layout;
  layout.Width = width;
  layout.Height = height;
  layout.BitCount = bits;
  layout.Compression = bits == 8 ? 1 : 2;
  layout.Table = DistinctTable(1 << bits);
  layout.ImageSize = imageSize;
  layout.Pixels = std::move(stream);
  return Load(BuildBmp(layout));
}

struct TRleCase {
  const char* Name;
  std::uint16_t Bits;
  int Width, Height;
  Bytes Stream;
  std::vector<std::vector<int>> RowsTopFirst;
  std::uint32_t ImageSize = 0;
};

TEST(BmpReader, ExpandsRunLengthStreams) {
  // One table row a line, as the cases read best.
  // clang-format off
  const std::vector<TRleCase> cases = {
      {"RLE8 runs, end of line, end of bitmap", 8, 4, 3, {3, 5, 0, 0, 4, 9, 0, 0, 0, 1},
       {{0, 0, 0, 0}, {9, 9, 9, 9}, {5, 5, 5, 0}}},
      {"RLE8 delta skips pixels, leaving index 0", 8, 4, 3, {1, 7, 0, 2, 2, 1, 1, 8, 0, 1},
       {{0, 0, 0, 0}, {0, 0, 0, 8}, {7, 0, 0, 0}}},
      {"RLE8 odd absolute run is padded to a word", 8, 4, 1, {0, 3, 1, 2, 3, 0, 1, 4, 0, 1},
       {{1, 2, 3, 4}}},
      {"RLE8 even absolute run has no pad", 8, 4, 1, {0, 4, 1, 2, 3, 4, 0, 1}, {{1, 2, 3, 4}}},
      {"RLE8 run past the row end is clipped, not wrapped", 8, 4, 2, {6, 3, 0, 0, 1, 9, 0, 1},
       {{9, 0, 0, 0}, {3, 3, 3, 3}}},
      {"RLE8 absolute run past the row end is clipped", 8, 2, 2, {0, 3, 1, 2, 3, 0, 0, 0, 1, 4, 0, 1},
       {{4, 0}, {1, 2}}},
      {"RLE8 stream ending early keeps the rest 0", 8, 4, 2, {2, 6}, {{0, 0, 0, 0}, {6, 6, 0, 0}}},
      {"RLE8 stream ending mid-code", 8, 4, 1, {2, 6, 0}, {{6, 6, 0, 0}}},
      {"RLE8 absolute run cut by the end", 8, 4, 1, {0, 5, 1, 2}, {{1, 2, 0, 0}}},
      {"RLE8 delta cut by the end", 8, 4, 1, {1, 1, 0, 2, 1}, {{1, 0, 0, 0}}},
      {"RLE8 delta past the top row stops", 8, 2, 2, {0, 2, 0, 10, 1, 5, 0, 1}, {{0, 0}, {0, 0}}},
      {"RLE8 delta past the right edge clips", 8, 2, 2, {0, 2, 200, 0, 1, 5, 0, 0, 1, 6, 0, 1},
       {{6, 0}, {0, 0}}},
      {"RLE8 bytes after end of bitmap are ignored", 8, 4, 1, {1, 1, 0, 1, 4, 9}, {{1, 0, 0, 0}}},
      {"RLE8 image size limits the stream", 8, 2, 2, {2, 6, 0, 0, 2, 7, 0, 1}, {{0, 0}, {6, 6}}, 4},
      {"RLE8 image size past the data is ignored", 8, 2, 2, {2, 6, 0, 0, 2, 7, 0, 1}, {{7, 7}, {6, 6}}, 999},
      {"RLE4 runs alternate the nibbles", 4, 5, 2, {5, 0x12, 0, 0, 3, 0x34, 0, 1},
       {{3, 4, 3, 0, 0}, {1, 2, 1, 2, 1}}},
      {"RLE4 absolute run of 3 in two bytes, no pad", 4, 5, 1, {0, 3, 0x56, 0x70, 2, 0x88, 0, 1},
       {{5, 6, 7, 8, 8}}},
      {"RLE4 absolute run of 5 in three bytes plus pad", 4, 5, 2,
       {0, 5, 0x12, 0x34, 0x50, 0x00, 0, 0, 1, 0x90, 0, 1}, {{9, 0, 0, 0, 0}, {1, 2, 3, 4, 5}}},
      {"RLE4 delta", 4, 5, 1, {0, 2, 4, 0, 1, 0xF0, 0, 1}, {{0, 0, 0, 0, 15}}},
      {"RLE4 run past the row end is clipped", 4, 3, 2, {7, 0xAB, 0, 0, 1, 0xC0, 0, 1},
       {{12, 0, 0}, {10, 11, 10}}},
  };
  // clang-format on
  for (const TRleCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const TBitmap bitmap = LoadRle(c.Bits, c.Width, c.Height, c.Stream, c.ImageSize);
    EXPECT_EQ(bitmap.PixelFormat(), c.Bits == 8 ? pf8bit : pf4bit);
    EXPECT_EQ(bitmap.ColourTable().size(), std::size_t(1) << c.Bits);
    for (int y = 0; y < c.Height; ++y) EXPECT_EQ(RowIndices(bitmap, y), c.RowsTopFirst[std::size_t(y)]) << "row " << y;
  }
}

TEST(BmpReader, HonoursThePixelOffsetOfARunLengthStream) {
  TBmpLayout layout;
  layout.Width = 2;
  layout.BitCount = 8;
  layout.Compression = 1;
  layout.Table = DistinctTable(256);
  layout.Gap = {1, 9, 0, 1};  // a stream that would paint 9 if it were read
  layout.Pixels = {2, 3, 0, 1};
  EXPECT_EQ(RowIndices(Load(BuildBmp(layout)), 0), (std::vector<int>{3, 3}));
}

// ---- channel masks ----

struct TMaskCase {
  const char* Name;
  std::uint32_t HeaderSize;
  std::uint16_t Bits;
  std::uint32_t Compression;
  TBitfieldMasks Masks;  // in the header for V2+, else after it
  Bytes Pixel;
  TPixelFormat Format;
  TColor32 Colour;
};

TEST(BmpReader, DecodesChannelMasks) {
  // One table row a line, as the cases read best.
  // clang-format off
  const std::vector<TMaskCase> cases = {
      {"5-6-5 after a 40-byte header stays 16 bits", 40, 16, 3, {0xF800, 0x07E0, 0x001F, 0},
       {0x21, 0x08}, pf16bit, Rgb(8, 4, 8)},
      {"5-5-5 as bitfields stays 15 bits", 40, 16, 3, {0x7C00, 0x03E0, 0x001F, 0}, {0x00, 0x7C}, pf15bit,
       Rgb(255, 0, 0)},
      {"4-4-4-4 alpha bitfields become 32 bits", 40, 16, 6, {0x0F00, 0x00F0, 0x000F, 0xF000}, {0x0A, 0x8F},
       pf32bit, MakeColour32(0xFF, 0x00, 0xAA, 0x88)},
      {"4-4-4 without alpha becomes 24 bits", 40, 16, 3, {0x0F00, 0x00F0, 0x000F, 0}, {0x0A, 0x0F}, pf24bit,
       Rgb(0xFF, 0x00, 0xAA)},
      {"masks in a V2 header", 52, 16, 3, {0xF800, 0x07E0, 0x001F, 0}, {0x00, 0xF8}, pf16bit, Rgb(255, 0, 0)},
      {"5-5-5 with a one-bit alpha in a V3 header stays 15 bits", 56, 16, 3, {0x7C00, 0x03E0, 0x001F, 0x8000},
       {0x1F, 0x80}, pf15bit, Rgb(0, 0, 255)},
      {"swapped 32-bit masks in a V4 header", 108, 32, 3, {0xFF, 0xFF00, 0xFF0000, 0xFF000000},
       {0x11, 0x22, 0x33, 0x44}, pf32bit, MakeColour32(0x11, 0x22, 0x33, 0x44)},
      {"standard 32-bit masks in a V5 header keep alpha", 124, 32, 3, {0xFF0000, 0xFF00, 0xFF, 0xFF000000},
       {1, 2, 3, 4}, pf32bit, MakeColour32(3, 2, 1, 4)},
      {"10-10-10 keeps the top bits, alpha 0", 40, 32, 3, {0x3FF00000, 0x000FFC00, 0x000003FF, 0},
       {0x01, 0x00, 0xF8, 0x3F}, pf32bit, Rgb(255, 128, 0)},
      {"absent blue mask reads 0", 40, 16, 3, {0x7C00, 0x03E0, 0, 0}, {0xFF, 0x7F}, pf24bit, Rgb(255, 255, 0)},
      {"masks of a V4 header are ignored without bitfields", 108, 32, 0, {0xFF, 0xFF00, 0xFF0000, 0},
       {1, 2, 3, 4}, pf32bit, MakeColour32(3, 2, 1, 4)},
  };
  // clang-format on
  for (const TMaskCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TBmpLayout layout;
    layout.HeaderSize = c.HeaderSize;
    layout.BitCount = c.Bits;
    layout.Compression = c.Compression;
    if (c.HeaderSize == 40) {
      layout.MasksAfterHeader = {c.Masks.Red, c.Masks.Green, c.Masks.Blue};
      if (c.Compression == 6) layout.MasksAfterHeader.push_back(c.Masks.Alpha);
    } else {
      layout.HeaderMasks = c.Masks;
    }
    layout.Pixels = PaddedRows({c.Pixel});
    const TBitmap bitmap = Load(BuildBmp(layout));
    EXPECT_EQ(bitmap.PixelFormat(), c.Format);
    EXPECT_EQ(bitmap.PixelColour(0, 0), c.Colour);
  }
}

// ---- refused files ----

Bytes ValidFile(std::function<void(TBmpLayout&)> change = nullptr) {
  TBmpLayout layout;
  layout.Width = 2;
  layout.Height = 2;
  layout.Pixels = PaddedRows({{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}});
  if (change) change(layout);
  return BuildBmp(layout);
}

Bytes Patched(Bytes file, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) file[offset + std::size_t(i)] = std::uint8_t(value >> (8 * i));
  return file;
}

Bytes Cut(Bytes file, std::size_t size) {
  file.resize(size);
  return file;
}

struct TBadCase {
  const char* Name;
  Bytes File;
  std::string Message;
};

std::vector<TBadCase> BadCases() {
  const std::string notBmp = kBitmapNotBmp, notValid = kBitmapNotValid, unsupported = kBitmapUnsupported;
  const std::string tooLarge = kPictureTooLarge;
  const Bytes valid = ValidFile();
  auto with = [](std::function<void(TBmpLayout&)> change) { return ValidFile(std::move(change)); };
  // One table row a line, as the cases read best.
  // clang-format off
  return {
      {"wrong signature", Patched(valid, 0, 0x0000'4D58), notBmp},
      {"a single byte", {'B'}, notBmp},
      {"signature only", {'B', 'M'}, notValid},
      {"file header only", Cut(valid, 14), notValid},
      {"cut inside the info header", Cut(valid, 30), notValid},
      {"header size 64", with([](TBmpLayout& s) { s.HeaderSize = 64; }), unsupported},
      {"header size 0", Patched(valid, 14, 0), unsupported},
      {"header size huge", Patched(valid, 14, 0xFFFFFFFF), unsupported},
      {"header size past the end", Cut(with([](TBmpLayout& s) { s.HeaderSize = 124; s.Pixels.clear(); }), 100),
       notValid},
      {"width 0", with([](TBmpLayout& s) { s.Width = 0; }), notValid},
      {"negative width", with([](TBmpLayout& s) { s.Width = -2; }), notValid},
      {"height 0", with([](TBmpLayout& s) { s.Height = 0; }), notValid},
      {"core width 0", with([](TBmpLayout& s) { s.HeaderSize = 12; s.Width = 0; }), notValid},
      {"height of the most negative integer", with([](TBmpLayout& s) { s.Height = INT32_MIN; }), tooLarge},
      {"planes 0", with([](TBmpLayout& s) { s.Planes = 0; }), notValid},
      {"planes 2", with([](TBmpLayout& s) { s.Planes = 2; }), notValid},
      {"bit count 0", with([](TBmpLayout& s) { s.BitCount = 0; }), unsupported},
      {"bit count 2", with([](TBmpLayout& s) { s.BitCount = 2; }), unsupported},
      {"bit count 7", with([](TBmpLayout& s) { s.BitCount = 7; }), unsupported},
      {"bit count 48", with([](TBmpLayout& s) { s.BitCount = 48; }), unsupported},
      {"core header with 16 bits", with([](TBmpLayout& s) { s.HeaderSize = 12; s.BitCount = 16; }), unsupported},
      {"embedded JPEG", with([](TBmpLayout& s) { s.Compression = 4; }), unsupported},
      {"embedded PNG", with([](TBmpLayout& s) { s.Compression = 5; }), unsupported},
      {"unknown compression", with([](TBmpLayout& s) { s.Compression = 7; }), unsupported},
      {"RLE8 at 4 bits", with([](TBmpLayout& s) { s.BitCount = 4; s.Compression = 1; }), unsupported},
      {"RLE4 at 8 bits", with([](TBmpLayout& s) { s.BitCount = 8; s.Compression = 2; }), unsupported},
      {"bitfields at 24 bits", with([](TBmpLayout& s) { s.Compression = 3; s.MasksAfterHeader = {1, 2, 4}; }),
       unsupported},
      {"top-down RLE8", with([](TBmpLayout& s) { s.Height = -2; s.BitCount = 8; s.Compression = 1; }), notValid},
      {"top-down RLE4", with([](TBmpLayout& s) { s.Height = -2; s.BitCount = 4; s.Compression = 2; }), notValid},
      {"mask with a hole",
       with([](TBmpLayout& s) { s.BitCount = 16; s.Compression = 3; s.MasksAfterHeader = {0x7C00, 0x03E0, 0x0015}; }),
       unsupported},
      {"overlapping masks",
       with([](TBmpLayout& s) { s.BitCount = 16; s.Compression = 3; s.MasksAfterHeader = {0xF800, 0x0FE0, 0x001F}; }),
       unsupported},
      {"mask outside 16 bits",
       with([](TBmpLayout& s) { s.BitCount = 16; s.Compression = 3; s.MasksAfterHeader = {0x1F0000, 0x03E0, 0x1F}; }),
       unsupported},
      {"alpha mask overlapping red",
       with([](TBmpLayout& s) { s.BitCount = 32; s.Compression = 6; s.MasksAfterHeader = {0xFF0000, 0xFF00, 0xFF, 0xFFFF0000}; }),
       unsupported},
      {"masks cut off", Cut(with([](TBmpLayout& s) { s.BitCount = 16; s.Compression = 3; s.Pixels.clear(); }), 54 + 6),
       notValid},
      {"pixel rows one byte short", Cut(valid, valid.size() - 1), notValid},
      {"no pixel rows at all", Cut(valid, 54), notValid},
      {"colour table cut short",
       with([](TBmpLayout& s) { s.Width = 1; s.Height = 1; s.BitCount = 8; s.Table = DistinctTable(16); s.Pixels = {0, 0, 0, 0}; }),
       notValid},
      {"colour count pointing past the end with no offset",
       with([](TBmpLayout& s) {
         s.Width = 1; s.Height = 1; s.BitCount = 1; s.ColoursUsed = 1000; s.Table = DistinctTable(2);
         s.Pixels = {0, 0, 0, 0}; s.PixelOffset = 0;
       }),
       notValid},
      {"huge colour count with no offset",
       with([](TBmpLayout& s) {
         s.ColoursUsed = 0xFFFFFFFF; s.PixelOffset = 0;
       }),
       notValid},
      {"width over the side cap", with([](TBmpLayout& s) { s.Width = 40000; s.Height = 1; }), tooLarge},
      {"area over the pixel cap", with([](TBmpLayout& s) { s.Width = 8000; s.Height = -8000; }), tooLarge},
      {"core size over the pixel cap", with([](TBmpLayout& s) { s.HeaderSize = 12; s.Width = 65535; s.Height = 65535; }),
       tooLarge},
      {"rows claimed far beyond the data", with([](TBmpLayout& s) { s.Width = 5000; s.Height = 5000; }), notValid},
  };
  // clang-format on
}

TBitmap KnownBitmap() {
  TBitmap b;
  b.SetPixelFormat(pf8bit);
  b.SetColourTable(DistinctTable(3));
  b.SetSize(3, 2);
  b.ScanLine(0)[0] = 2;
  b.ScanLine(1)[2] = 1;
  return b;
}

void ExpectSameBitmap(const TBitmap& a, const TBitmap& b) {
  EXPECT_EQ(a.PixelFormat(), b.PixelFormat());
  ASSERT_EQ(a.Width(), b.Width());
  ASSERT_EQ(a.Height(), b.Height());
  EXPECT_EQ(a.ColourTable(), b.ColourTable());
  for (int y = 0; y < a.Height(); ++y)
    EXPECT_EQ(Bytes(a.ScanLine(y), a.ScanLine(y) + a.RowBytes()), Bytes(b.ScanLine(y), b.ScanLine(y) + b.RowBytes()));
}

TEST(BmpReader, RefusesBrokenFilesAndLeavesTheBitmapAsItWas) {
  for (const TBadCase& c : BadCases()) {
    SCOPED_TRACE(c.Name);
    TBitmap bitmap = KnownBitmap();
    try {
      bitmap.LoadFromStream(c.File.data(), c.File.size());
      ADD_FAILURE() << "no exception";
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(std::string(e.what()), c.Message);
    }
    ExpectSameBitmap(bitmap, KnownBitmap());
  }
}

TEST(BmpReader, EveryPrefixOfAValidFileIsRefusedCleanly) {
  TBmpLayout layout;
  layout.Width = 5;
  layout.Height = 3;
  layout.BitCount = 4;
  layout.Table = DistinctTable(16);
  layout.Pixels = PaddedRows({{0x12, 0x34, 0x50}, {0x67, 0x89, 0xA0}, {0xBC, 0xDE, 0xF0}});
  const Bytes file = BuildBmp(layout);
  for (std::size_t n = 1; n < file.size(); ++n) {
    TBitmap bitmap = KnownBitmap();
    EXPECT_THROW(bitmap.LoadFromStream(file.data(), n), EInvalidGraphic) << n << " bytes";
    ExpectSameBitmap(bitmap, KnownBitmap());
  }
  EXPECT_NO_THROW(Load(file));
}

TEST(BmpReader, NoBytesGiveAnEmptyBitmap) {
  TBitmap bitmap = KnownBitmap();
  bitmap.LoadFromStream(nullptr, 0);
  EXPECT_TRUE(bitmap.Empty());
}

TEST(BmpReader, CorruptSampleFileFailsCleanly) {
  TBitmap bitmap = KnownBitmap();
  EXPECT_THROW(bitmap.LoadFromFile(std::string(QUILL_TEST_DATA) + "/corrupt.bmp"), EInvalidGraphic);
  ExpectSameBitmap(bitmap, KnownBitmap());
}

}  // namespace
}  // namespace quill
