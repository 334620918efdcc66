// The plain bitmap: storage and rows, pixel colours per format, format
// conversion, drawing into 32-bit bitmaps, and BMP files it writes.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <random>
#include <string>

#include "bmp_test_file.h"
#include "quill/base/Errors.h"
#include "quill/imaging/Bitmap.h"
#include "quill/imaging/Bitmap32.h"

namespace quill {
namespace {

using bmptest::Bytes;
using bmptest::DistinctTable;

constexpr TColor32 Rgb(int r, int g, int b) {
  return MakeColour32(std::uint8_t(r), std::uint8_t(g), std::uint8_t(b), 0);
}

const TPixelFormat kAllFormats[] = {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit};

TBitmap Make(TPixelFormat format, int width, int height) {
  TBitmap b;
  b.SetPixelFormat(format);
  b.SetSize(width, height);
  return b;
}

std::uint32_t Le32(const Bytes& b, std::size_t at) {
  return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
         std::uint32_t(b[at + 3]) << 24;
}
std::uint32_t Le16(const Bytes& b, std::size_t at) { return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8; }

TEST(Bitmap, RowBytesRoundWidthTimesBitsUpToWholeWords) {
  struct TCase {
    TPixelFormat Format;
    int Width;
    std::size_t RowBytes;
  };
  const TCase cases[] = {{pf1bit, 1, 4},   {pf1bit, 32, 4},  {pf1bit, 33, 8},    {pf4bit, 8, 4},  {pf4bit, 9, 8},
                         {pf8bit, 5, 8},   {pf15bit, 3, 8},  {pf16bit, 2, 4},    {pf24bit, 1, 4}, {pf24bit, 3, 12},
                         {pf24bit, 5, 16}, {pf32bit, 3, 12}, {pf8bit, 132, 132}, {pf24bit, 0, 0}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "format " << c.Format << " width " << c.Width);
    EXPECT_EQ(Make(c.Format, c.Width, 1).RowBytes(), c.RowBytes);
  }
}

TEST(Bitmap, BitsPerPixelCountsStorageBits) {
  EXPECT_EQ(BitsPerPixel(pf1bit), 1);
  EXPECT_EQ(BitsPerPixel(pf4bit), 4);
  EXPECT_EQ(BitsPerPixel(pf8bit), 8);
  EXPECT_EQ(BitsPerPixel(pf15bit), 16);
  EXPECT_EQ(BitsPerPixel(pf16bit), 16);
  EXPECT_EQ(BitsPerPixel(pf24bit), 24);
  EXPECT_EQ(BitsPerPixel(pf32bit), 32);
}

TEST(Bitmap, SetSizeGivesZeroPixelsAndClampsNegativeSizes) {
  TBitmap b = Make(pf24bit, 3, 2);
  for (int y = 0; y < 2; ++y)
    for (std::size_t i = 0; i < b.RowBytes(); ++i) EXPECT_EQ(b.ScanLine(y)[i], 0);
  b.ScanLine(1)[0] = 7;
  b.SetSize(3, 2);  // same size: pixels kept
  EXPECT_EQ(b.ScanLine(1)[0], 7);
  b.SetSize(4, 2);
  EXPECT_EQ(b.ScanLine(1)[0], 0);
  b.SetSize(-3, -1);
  EXPECT_EQ(b.Width(), 0);
  EXPECT_EQ(b.Height(), 0);
  EXPECT_TRUE(b.Empty());
}

TEST(Bitmap, SizeBeyondMemoryThrowsAndKeepsTheBitmap) {
  TBitmap b = Make(pf32bit, 2, 3);
  b.ScanLine(2)[7] = 9;
  EXPECT_THROW(b.SetSize(INT_MAX, INT_MAX), EOutOfMemory);
  EXPECT_EQ(b.Width(), 2);
  EXPECT_EQ(b.Height(), 3);
  EXPECT_EQ(b.ScanLine(2)[7], 9);
}

TEST(Bitmap, ScanLineOutsideTheRowsThrows) {
  TBitmap b = Make(pf8bit, 4, 3);
  const TBitmap& cb = b;
  EXPECT_EQ(b.ScanLine(2) - b.ScanLine(0), 8);
  for (int row : {-1, 3, 1000}) {
    try {
      b.ScanLine(row);
      ADD_FAILURE() << "row " << row;
    } catch (const EInvalidGraphicOperation& e) {
      EXPECT_STREQ(e.what(), "Scan line index out of range");
    }
    EXPECT_THROW(cb.ScanLine(row), EInvalidGraphicOperation);
  }
  EXPECT_THROW(TBitmap().ScanLine(0), EInvalidGraphicOperation);
  EXPECT_THROW(b.PixelColour(4, 0), EInvalidGraphicOperation);
  EXPECT_THROW(b.PixelColour(-1, 0), EInvalidGraphicOperation);
}

TEST(Bitmap, PixelColourReadsEveryFormat) {
  struct TCase {
    const char* Name;
    TPixelFormat Format;
    Bytes Row;
    int X;
    TColor32 Colour;
  };
  const TCase cases[] = {
      {"1 bit, ninth pixel", pf1bit, {0x00, 0x80}, 8, Rgb(255, 255, 255)},
      {"4 bits, odd pixel low nibble", pf4bit, {0x0F}, 1, Rgb(255, 255, 255)},
      {"4 bits, even pixel high nibble", pf4bit, {0x0F}, 0, Rgb(0, 0, 0)},
      {"8 bits grey ramp", pf8bit, {0, 0x80}, 1, Rgb(128, 128, 128)},
      {"15 bits", pf15bit, {0, 0, 0x1F, 0x7C}, 1, Rgb(255, 0, 255)},
      {"15 bits middle", pf15bit, {0x10, 0x42}, 0, Rgb(132, 132, 132)},
      {"16 bits", pf16bit, {0xE0, 0x07}, 0, Rgb(0, 255, 0)},
      {"16 bits low green", pf16bit, {0x20, 0x00}, 0, Rgb(0, 4, 0)},
      {"24 bits blue green red", pf24bit, {0, 0, 0, 1, 2, 3}, 1, Rgb(3, 2, 1)},
      {"32 bits with alpha", pf32bit, {1, 2, 3, 4}, 0, MakeColour32(3, 2, 1, 4)},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TBitmap b = Make(c.Format, 9, 1);
    std::copy(c.Row.begin(), c.Row.end(), b.ScanLine(0));
    EXPECT_EQ(b.PixelColour(c.X, 0), c.Colour);
  }
}

TEST(Bitmap, IndexedPixelsUseTheColourTableAndReadBlackPastIt) {
  TBitmap b = Make(pf8bit, 3, 1);
  b.SetColourTable(DistinctTable(2));
  b.ScanLine(0)[0] = 1;
  b.ScanLine(0)[1] = 2;
  EXPECT_EQ(b.PixelColour(0, 0), Rgb(1, 254, 7));
  EXPECT_EQ(b.PixelColour(1, 0), 0u);
}

TEST(Bitmap, ColourTableKeepsAtMost256Entries) {
  TBitmap b;
  b.SetColourTable(DistinctTable(300));
  EXPECT_EQ(b.ColourTable().size(), 256u);
}

TEST(Bitmap, IndexedFormatsWithoutATableUseAGreyRamp) {
  for (TPixelFormat f : {pf1bit, pf4bit, pf8bit}) {
    TBitmap b;
    b.SetPixelFormat(f);
    const auto& t = b.EffectiveColourTable();
    ASSERT_EQ(t.size(), std::size_t(1) << BitsPerPixel(f));
    EXPECT_EQ(t.front(), (TPaletteEntry{0, 0, 0, 0}));
    EXPECT_EQ(t.back(), (TPaletteEntry{255, 255, 255, 0}));
  }
  TBitmap b;
  b.SetPixelFormat(pf4bit);
  EXPECT_EQ(b.EffectiveColourTable()[1], (TPaletteEntry{17, 17, 17, 0}));
}

// ---- format conversion ----

TEST(Bitmap, NarrowingToFifteenOrSixteenBitsKeepsTheTopBits) {
  TBitmap b = Make(pf24bit, 2, 1);
  const Bytes row = {0xFF, 0x84, 0x07, 0x00, 0x00, 0x00};  // (7,132,255), black
  std::copy(row.begin(), row.end(), b.ScanLine(0));
  TBitmap fifteen = b;
  fifteen.SetPixelFormat(pf15bit);
  EXPECT_EQ(fifteen.PixelColour(0, 0), Rgb(0, 132, 255));
  TBitmap sixteen = b;
  sixteen.SetPixelFormat(pf16bit);
  EXPECT_EQ(sixteen.PixelColour(0, 0), Rgb(0, 134, 255));  // 6-bit 33 widened
  sixteen.SetPixelFormat(pf24bit);
  EXPECT_EQ(sixteen.PixelColour(0, 0), Rgb(0, 134, 255));
  EXPECT_EQ(sixteen.PixelColour(1, 0), Rgb(0, 0, 0));
}

TEST(Bitmap, ThirtyTwoBitsKeepAlphaOnlyAmongThemselves) {
  TBitmap b = Make(pf32bit, 1, 1);
  const Bytes px = {1, 2, 3, 200};
  std::copy(px.begin(), px.end(), b.ScanLine(0));
  b.SetPixelFormat(pf32bit);
  EXPECT_EQ(b.PixelColour(0, 0), MakeColour32(3, 2, 1, 200));
  b.SetPixelFormat(pf24bit);
  EXPECT_EQ(b.PixelColour(0, 0), Rgb(3, 2, 1));
  b.SetPixelFormat(pf32bit);
  EXPECT_EQ(b.PixelColour(0, 0), Rgb(3, 2, 1));  // alpha 0, as a system conversion leaves it
}

TEST(Bitmap, NarrowingToIndexedPicksTheNearestEntryLowestIndexOnATie) {
  TBitmap b = Make(pf24bit, 3, 1);
  b.SetColourTable(bmptest::Table({{0, 0, 0, 0}, {100, 100, 100, 0}, {0, 0, 200, 0}, {100, 100, 100, 0}}));
  const Bytes row = {90, 95, 99, 100, 0, 0, 50, 50, 50};  // (99,95,90), (0,0,100) tie, (50,50,50) tie
  std::copy(row.begin(), row.end(), b.ScanLine(0));
  b.SetPixelFormat(pf8bit);
  EXPECT_EQ(b.ScanLine(0)[0], 1);
  EXPECT_EQ(b.ScanLine(0)[1], 0);  // distance 100 to both 0 and 2
  EXPECT_EQ(b.ScanLine(0)[2], 0);  // distance 150 to both 0 and 1
  EXPECT_EQ(b.ColourTable().size(), 4u);
}

TEST(Bitmap, NarrowingToIndexedWithoutATableUsesTheGreyRamp) {
  TBitmap b = Make(pf24bit, 2, 1);
  const Bytes row = {30, 20, 10, 255, 255, 255};
  std::copy(row.begin(), row.end(), b.ScanLine(0));
  b.SetPixelFormat(pf8bit);
  EXPECT_EQ(b.ColourTable().size(), 256u);
  EXPECT_EQ(b.ScanLine(0)[0], 20);
  EXPECT_EQ(b.ScanLine(0)[1], 255);
}

TEST(Bitmap, ATableTooBigForTheNewDepthGivesWayToTheGreyRamp) {
  TBitmap b = Make(pf8bit, 2, 1);
  b.SetColourTable(DistinctTable(256));
  b.ScanLine(0)[0] = 0;    // (0,255,0)
  b.ScanLine(0)[1] = 200;  // (200,55,120)
  b.SetPixelFormat(pf1bit);
  ASSERT_EQ(b.ColourTable().size(), 2u);
  EXPECT_EQ(b.PixelColour(0, 0), Rgb(0, 0, 0));  // 255 from black, 510 from white
  EXPECT_EQ(b.PixelColour(1, 0), Rgb(0, 0, 0));  // 375 from black, 390 from white
}

TEST(Bitmap, WideningAnIndexedBitmapKeepsIndicesAndTable) {
  TBitmap b = Make(pf4bit, 3, 1);
  b.SetColourTable(DistinctTable(16));
  b.ScanLine(0)[0] = 0xF3;
  b.ScanLine(0)[1] = 0x70;
  b.SetPixelFormat(pf8bit);
  EXPECT_EQ(b.ColourTable(), DistinctTable(16));
  EXPECT_EQ(b.ScanLine(0)[0], 15);
  EXPECT_EQ(b.ScanLine(0)[1], 3);
  EXPECT_EQ(b.ScanLine(0)[2], 7);
}

TEST(Bitmap, DuplicateTableEntriesKeepTheirOwnIndex) {
  TBitmap b = Make(pf8bit, 2, 1);
  b.SetColourTable(bmptest::Table({{5, 5, 5, 0}, {5, 5, 5, 0}}));
  b.ScanLine(0)[0] = 1;
  b.SetPixelFormat(pf4bit);
  EXPECT_EQ(b.ScanLine(0)[0] >> 4, 1);
}

TEST(Bitmap, IndexedThroughTrueColourAndBackKeepsEveryIndex) {
  TBitmap b = Make(pf8bit, 16, 16);
  b.SetColourTable(DistinctTable(256));
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) b.ScanLine(y)[x] = std::uint8_t(y * 16 + x);
  const TBitmap original = b;
  for (TPixelFormat wide : {pf24bit, pf32bit}) {
    b.SetPixelFormat(wide);
    EXPECT_EQ(b.PixelColour(5, 3), original.PixelColour(5, 3));
    b.SetPixelFormat(pf8bit);
    for (int y = 0; y < 16; ++y)
      EXPECT_TRUE(std::equal(b.ScanLine(y), b.ScanLine(y) + 16, original.ScanLine(y))) << "row " << y;
  }
}

TEST(Bitmap, ConversionsPreserveColourAcrossEveryPairOfFormats) {
  // Colours every format can hold exactly: black and white.
  for (TPixelFormat from : kAllFormats) {
    for (TPixelFormat to : kAllFormats) {
      SCOPED_TRACE(testing::Message() << from << " -> " << to);
      TBitmap b = Make(pf24bit, 11, 2);
      for (int x = 0; x < 11; x += 2) std::fill_n(b.ScanLine(1) + 3 * x, 3, 0xFF);
      b.SetPixelFormat(from);
      b.SetPixelFormat(to);
      EXPECT_EQ(b.PixelFormat(), to);
      EXPECT_EQ(b.Width(), 11);
      for (int x = 0; x < 11; ++x) {
        EXPECT_EQ(b.PixelColour(x, 0) & 0xFFFFFF, 0u);
        EXPECT_EQ(b.PixelColour(x, 1) & 0xFFFFFF, x % 2 ? 0u : 0xFFFFFFu) << x;
      }
    }
  }
}

TEST(Bitmap, ConvertingAnEmptyBitmapOnlyChangesTheFormat) {
  TBitmap b;
  b.SetPixelFormat(pf8bit);
  EXPECT_EQ(b.PixelFormat(), pf8bit);
  EXPECT_EQ(b.ColourTable().size(), 256u);
  b.SetSize(2, 1);
  EXPECT_EQ(b.RowBytes(), 4u);
}

// ---- drawing into 32-bit bitmaps ----

TEST(Bitmap, DrawOntoWritesPixelColoursClippedToTheTarget) {
  TBitmap b = Make(pf32bit, 3, 2);
  for (int y = 0; y < 2; ++y)
    for (int i = 0; i < 12; ++i) b.ScanLine(y)[i] = std::uint8_t(y * 12 + i);
  TBitmap32 dst;
  dst.ChangeSize(2, 3);
  dst.FillAll(0x12345678);
  b.DrawOnto(dst);
  EXPECT_EQ(dst.GetPixelUnchecked(0, 0), b.PixelColour(0, 0));
  EXPECT_EQ(dst.GetPixelUnchecked(1, 1), b.PixelColour(1, 1));
  EXPECT_EQ(dst.GetPixelUnchecked(1, 2), 0x12345678u);
}

TEST(Bitmap, CopyIntoA32BitBitmapIsOpaqueExceptFrom32Bits) {
  for (TPixelFormat f : kAllFormats) {
    SCOPED_TRACE(f);
    TBitmap b = Make(pf32bit, 2, 1);
    const Bytes row = {10, 20, 30, 0, 40, 50, 60, 128};
    std::copy(row.begin(), row.end(), b.ScanLine(0));
    b.SetPixelFormat(f);
    TBitmap32 dst;
    dst.CopyFrom(b);
    ASSERT_EQ(dst.Width(), 2);
    for (int x = 0; x < 2; ++x) {
      const TColor32 expected = b.PixelColour(x, 0);
      const std::uint8_t alpha = f == pf32bit ? AlphaComponent(expected) : 255;
      EXPECT_EQ(dst.GetPixelUnchecked(x, 0), (expected & 0xFFFFFFu) | TColor32(alpha) << 24) << x;
    }
  }
}

TEST(Bitmap, CopyFromA32BitBitmapGivesA32BitPlainBitmap) {
  TBitmap32 src;
  src.ChangeSize(3, 2);
  src.SetPixelUnchecked(2, 1, 0x80112233);
  TBitmap b = Make(pf8bit, 1, 1);
  src.CopyTo(b);
  EXPECT_EQ(b.PixelFormat(), pf32bit);
  EXPECT_EQ(b.Width(), 3);
  EXPECT_EQ(b.PixelColour(2, 1), 0x80112233u);
}

// ---- saving ----

TEST(Bitmap, SavesAn8BitBitmapWithA256EntryTableAndBottomUpRows) {
  TBitmap b = Make(pf8bit, 3, 2);
  b.SetColourTable(DistinctTable(2));
  b.ScanLine(0)[0] = 1;  // top row
  b.ScanLine(1)[2] = 9;  // bottom row
  const Bytes f = b.SaveToStream();
  ASSERT_EQ(f.size(), 14u + 40 + 1024 + 8);
  EXPECT_EQ(f[0], 'B');
  EXPECT_EQ(f[1], 'M');
  EXPECT_EQ(Le32(f, 2), f.size());
  EXPECT_EQ(Le32(f, 6), 0u);
  EXPECT_EQ(Le32(f, 10), 1078u);
  EXPECT_EQ(Le32(f, 14), 40u);
  EXPECT_EQ(Le32(f, 18), 3u);
  EXPECT_EQ(Le32(f, 22), 2u);  // positive: bottom-up
  EXPECT_EQ(Le16(f, 26), 1u);
  EXPECT_EQ(Le16(f, 28), 8u);
  EXPECT_EQ(Le32(f, 30), 0u);
  EXPECT_EQ(Le32(f, 34), 8u);
  EXPECT_EQ(Le32(f, 46), 256u);
  EXPECT_EQ(Bytes(f.begin() + 58, f.begin() + 62), (Bytes{7, 254, 1, 0}));  // entry 1: blue, green, red, 0
  EXPECT_EQ(Bytes(f.begin() + 62, f.begin() + 66), (Bytes{0, 0, 0, 0}));    // padding entry
  EXPECT_EQ(Bytes(f.begin() + 1078, f.end()), (Bytes{0, 0, 9, 0, 1, 0, 0, 0}));
}

TEST(Bitmap, SavesHighColourLayouts) {
  const Bytes f16 = Make(pf16bit, 1, 1).SaveToStream();
  EXPECT_EQ(Le16(f16, 28), 16u);
  EXPECT_EQ(Le32(f16, 30), 3u);  // bitfields
  EXPECT_EQ(Le32(f16, 10), 66u);
  EXPECT_EQ(Le32(f16, 54), 0xF800u);
  EXPECT_EQ(Le32(f16, 58), 0x07E0u);
  EXPECT_EQ(Le32(f16, 62), 0x001Fu);
  const Bytes f15 = Make(pf15bit, 1, 1).SaveToStream();
  EXPECT_EQ(Le16(f15, 28), 16u);
  EXPECT_EQ(Le32(f15, 30), 0u);
  EXPECT_EQ(Le32(f15, 10), 54u);
  for (TPixelFormat f : {pf24bit, pf32bit}) {
    const Bytes bytes = Make(f, 1, 1).SaveToStream();
    EXPECT_EQ(Le16(bytes, 28), std::uint32_t(BitsPerPixel(f)));
    EXPECT_EQ(Le32(bytes, 46), 0u);
    EXPECT_EQ(bytes.size(), 58u);
  }
}

TEST(Bitmap, SavedFilesLoadBackExactlyInEveryFormat) {
  std::mt19937 random(1234);
  for (TPixelFormat f : kAllFormats) {
    for (int width : {1, 3, 5, 33}) {
      SCOPED_TRACE(testing::Message() << "format " << f << " width " << width);
      TBitmap b = Make(f, width, 4);
      if (BitsPerPixel(f) <= 8) b.SetColourTable(DistinctTable(1 << BitsPerPixel(f)));
      for (int y = 0; y < 4; ++y)
        for (std::size_t i = 0; i < b.RowBytes(); ++i) b.ScanLine(y)[i] = std::uint8_t(random());
      const Bytes file = b.SaveToStream();
      TBitmap loaded;
      loaded.LoadFromStream(file.data(), file.size());
      EXPECT_EQ(loaded.PixelFormat(), f);
      EXPECT_EQ(loaded.ColourTable(), b.ColourTable());
      ASSERT_EQ(loaded.Width(), width);
      ASSERT_EQ(loaded.Height(), 4);
      for (int y = 0; y < 4; ++y)
        EXPECT_TRUE(std::equal(b.ScanLine(y), b.ScanLine(y) + b.RowBytes(), loaded.ScanLine(y))) << "row " << y;
    }
  }
}

TEST(Bitmap, ASavedTableShorterThanTheDepthComesBackPaddedWithBlack) {
  TBitmap b = Make(pf4bit, 2, 1);
  b.SetColourTable(DistinctTable(3));
  const Bytes file = b.SaveToStream();
  TBitmap loaded;
  loaded.LoadFromStream(file.data(), file.size());
  ASSERT_EQ(loaded.ColourTable().size(), 16u);
  EXPECT_EQ(loaded.ColourTable()[2], DistinctTable(3)[2]);
  EXPECT_EQ(loaded.ColourTable()[3], TPaletteEntry{});
}

TEST(Bitmap, AnIndexedBitmapWithoutATableSavesItsGreyRamp) {
  TBitmap b;
  b.SetSize(1, 1);
  b.SetColourTable({});
  b.SetPixelFormat(pf1bit);
  b.SetColourTable({});
  const Bytes f = b.SaveToStream();
  EXPECT_EQ(Bytes(f.begin() + 54, f.begin() + 62), (Bytes{0, 0, 0, 0, 255, 255, 255, 0}));
}

TEST(Bitmap, AnEmptyBitmapSavesNothingAndNothingLoadsEmpty) {
  EXPECT_TRUE(TBitmap().SaveToStream().empty());
  EXPECT_TRUE(Make(pf8bit, 0, 5).SaveToStream().empty());
}

TEST(Bitmap, SavesToAndLoadsFromFiles) {
  const std::string path = testing::TempDir() + "bitmap_test_roundtrip.bmp";
  TBitmap b = Make(pf24bit, 2, 2);
  b.ScanLine(1)[5] = 77;
  b.SaveToFile(path);
  TBitmap loaded;
  loaded.LoadFromFile(path);
  EXPECT_EQ(loaded.PixelColour(1, 1), Rgb(77, 0, 0));
  std::remove(path.c_str());
  EXPECT_THROW(loaded.LoadFromFile(path), EFileError);
  EXPECT_EQ(loaded.PixelColour(1, 1), Rgb(77, 0, 0));
}

}  // namespace
}  // namespace quill
