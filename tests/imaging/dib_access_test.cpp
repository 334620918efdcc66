#include "quill/imaging/DIBAccess.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>

#include "quill/base/Errors.h"
#include "quill/imaging/ImageLimits.h"
#include "tests/imaging/reduce_test_support.h"

namespace quill {
namespace {

using test::MakePalette;

std::uint32_t Le32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}
std::uint16_t Le16(const std::uint8_t* p) { return std::uint16_t(p[0] | p[1] << 8); }

template <class E, class F>
void ExpectMessage(F&& f, const char* message) {
  try {
    f();
    ADD_FAILURE() << "no exception, expected \"" << message << "\"";
  } catch (const E& e) {
    EXPECT_STREQ(e.what(), message);
  }
}

TEST(DIBWriter, AcceptsOnlyEightAndTwentyFourBits) {
  TBitmap target;
  for (TPixelFormat f : {pf1bit, pf4bit, pf15bit, pf16bit, pf32bit})
    ExpectMessage<GIFException>([&] { TDIBWriter w(target, nullptr, 2, 2, f); }, "Unsupported PixelFormat");
  EXPECT_NO_THROW(TDIBWriter(target, nullptr, 2, 2, pf8bit));
  EXPECT_NO_THROW(TDIBWriter(target, nullptr, 2, 2, pf24bit));
}

TEST(DIBWriter, RefusesEmptyDimensions) {
  TBitmap target;
  for (const auto& [w, h] : {std::pair{0, 1}, std::pair{1, 0}, std::pair{0, 0}, std::pair{-3, 2}})
    ExpectMessage<GIFException>([&, w = w, h = h] { TDIBWriter writer(target, nullptr, h, w, pf8bit); },
                                "Invalid image dimensions");
}

TEST(DIBWriter, RowOutsideTheImageIsRefused) {
  TBitmap target;
  TDIBWriter w(target, nullptr, 3, 2, pf8bit);
  ExpectMessage<EInvalidGraphicOperation>([&] { w.RowPointer(-1); }, "Scan line index out of range");
  ExpectMessage<EInvalidGraphicOperation>([&] { w.RowPointer(3); }, "Scan line index out of range");
  EXPECT_NE(w.RowPointer(2), nullptr);
}

TEST(DIBWriter, PixelBlockTooLargeRaisesOutOfMemory) {
  // 40000 x 40000 at 24 bits is 4.8 GB: past what a BMP's size field and the
  // 32-bit program can hold, so it fails cleanly instead of wrapping around.
  TBitmap target;
  TDIBWriter w(target, nullptr, 40000, 40000, pf24bit);
  ExpectMessage<EOutOfMemory>([&] { w.RowPointer(0); }, "Failed to allocate memory for GIF DIB");
  EXPECT_EQ(w.HeaderBlock(), nullptr);
}

TEST(DIBWriter, EightBitHeaderAndColourTable) {
  TBitmap target;
  const TPalette palette = MakePalette({{10, 20, 30}, {40, 50, 60}, {70, 80, 90}});
  TDIBWriter w(target, &palette, 4, 5, pf8bit);
  EXPECT_EQ(w.HeaderBlock(), nullptr);  // nothing before the first row
  w.RowPointer(0);
  EXPECT_EQ(w.HeaderSize(), 1064u);
  EXPECT_EQ(w.RowSize(), 8u);
  EXPECT_EQ(w.PixelsSize(), 32u);
  const std::uint8_t* h = w.HeaderBlock();
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(Le32(h + 0), 40u);
  EXPECT_EQ(Le32(h + 4), 5u);
  EXPECT_EQ(Le32(h + 8), 4u);  // positive: bottom-up
  EXPECT_EQ(Le16(h + 12), 1u);
  EXPECT_EQ(Le16(h + 14), 8u);
  for (int offset = 16; offset <= 28; offset += 4) EXPECT_EQ(Le32(h + offset), 0u) << offset;
  EXPECT_EQ(Le32(h + 32), 256u);
  EXPECT_EQ(Le32(h + 36), 3u);  // important colours: the entries taken
  const std::uint8_t* table = h + 40;
  const std::uint8_t firstTwo[8] = {30, 20, 10, 0, 60, 50, 40, 0};  // blue, green, red, 0
  EXPECT_EQ(std::memcmp(table, firstTwo, 8), 0);
  for (int i = 12; i < 1024; ++i) EXPECT_EQ(table[i], 0) << i;
}

TEST(DIBWriter, ChatPaletteMakesAllColoursImportant) {
  TBitmap target;
  const TPalette palette = test::LoadChatPalette();
  TDIBWriter w(target, &palette, 1, 1, pf8bit);
  w.RowPointer(0);
  EXPECT_EQ(Le32(w.HeaderBlock() + 36), 256u);
  EXPECT_EQ(Le32(w.HeaderBlock() + 32), 256u);
}

TEST(DIBWriter, NoPaletteLeavesTableZero) {
  TBitmap target;
  TDIBWriter w(target, nullptr, 1, 1, pf8bit);
  w.RowPointer(0);
  EXPECT_EQ(Le32(w.HeaderBlock() + 36), 0u);
  for (int i = 0; i < 1024; ++i) ASSERT_EQ(w.HeaderBlock()[40 + i], 0) << i;
}

TEST(DIBWriter, TwentyFourBitHeaderHasNoTable) {
  TBitmap target;
  const TPalette palette = MakePalette({{1, 2, 3}});
  TDIBWriter w(target, &palette, 2, 5, pf24bit);
  w.RowPointer(1);
  EXPECT_EQ(w.HeaderSize(), 40u);
  EXPECT_EQ(w.RowSize(), 16u);  // 15 bytes padded to 16
  EXPECT_EQ(Le16(w.HeaderBlock() + 14), 24u);
  EXPECT_EQ(Le32(w.HeaderBlock() + 32), 0u);
  EXPECT_EQ(Le32(w.HeaderBlock() + 36), 0u);
}

TEST(DIBWriter, DestructionStoresRowsTopFirstIntoTarget) {
  TBitmap target;
  const TPalette palette = MakePalette({{0, 0, 0}, {255, 0, 0}, {0, 255, 0}});
  {
    TDIBWriter w(target, &palette, 3, 2, pf8bit);
    for (int r = 0; r < 3; ++r) {
      std::uint8_t* row = w.RowPointer(r);
      row[0] = std::uint8_t(r);
      row[1] = std::uint8_t(2 - r);
    }
    // The rows are the result's own, top row first.
    EXPECT_EQ(w.RowPointer(2) - w.RowPointer(0), std::ptrdiff_t(2 * w.RowSize()));
    EXPECT_EQ(target.Width(), 0);
  }
  ASSERT_EQ(target.Width(), 2);
  ASSERT_EQ(target.Height(), 3);
  EXPECT_EQ(target.PixelFormat(), pf8bit);
  EXPECT_EQ(test::Indices(target), (std::vector<std::uint8_t>{0, 2, 1, 1, 2, 0}));
  ASSERT_EQ(target.ColourTable().size(), 256u);
  EXPECT_EQ(target.ColourTable()[1].Red, 255);
  EXPECT_EQ(target.ColourTable()[2].Green, 255);
}

TEST(DIBWriter, TargetKeepsTheRowsItWasHandedWithoutACopy) {
  TBitmap target;
  const TPalette palette = MakePalette({{1, 2, 3}});
  TDIBWriter w(target, &palette, 2, 3, pf8bit);
  std::uint8_t* rows[2] = {w.RowPointer(0), w.RowPointer(1)};
  rows[0][0] = 7;
  w.Finish();
  EXPECT_EQ(target.ScanLine(0), rows[0]);
  EXPECT_EQ(target.ScanLine(1), rows[1]);
  EXPECT_EQ(target.ScanLine(0)[0], 7);
  EXPECT_EQ(w.HeaderBlock(), nullptr);  // freed with the rest
}

TEST(DIBWriter, ResultMatchesLoadingTheBmpFileOfHeaderBlockAndRows) {
  // What the result must equal: the bitmap that a BMP file made of the header
  // block and the rows (bottom-up) loads as. Widths with and without padding.
  const TPalette palette = MakePalette({{10, 20, 30}, {40, 50, 60}, {255, 0, 128}});
  for (TPixelFormat format : {pf8bit, pf24bit}) {
    for (int width : {1, 3, 4, 5, 8}) {
      const int height = 3;
      TBitmap target = test::MakeBitmap24(1, 1, {{9, 9, 9}});
      std::vector<std::uint8_t> file;
      {
        TDIBWriter w(target, &palette, height, width, format);
        const std::size_t used = std::size_t(width) * (format == pf8bit ? 1 : 3);
        for (int r = 0; r < height; ++r)
          for (std::size_t i = 0; i < used; ++i) w.RowPointer(r)[i] = std::uint8_t(r * 31 + i * 7 + 1);
        file.assign(TDIBWriter::kFileHeaderSize, 0);
        file[0] = 'B';
        file[1] = 'M';
        file[10] = std::uint8_t(TDIBWriter::kFileHeaderSize + w.HeaderSize());
        file[11] = std::uint8_t((TDIBWriter::kFileHeaderSize + w.HeaderSize()) >> 8);
        file.insert(file.end(), w.HeaderBlock(), w.HeaderBlock() + w.HeaderSize());
        for (int r = height - 1; r >= 0; --r) {
          const std::uint8_t* row = w.RowPointer(r);
          ASSERT_EQ(w.RowSize(), (used + 3) / 4 * 4);
          for (std::size_t i = used; i < w.RowSize(); ++i) EXPECT_EQ(row[i], 0) << "padding " << i;
          file.insert(file.end(), row, row + w.RowSize());
        }
      }
      TBitmap loaded;
      loaded.LoadFromStream(file.data(), file.size());
      ASSERT_EQ(target.Width(), loaded.Width());
      ASSERT_EQ(target.Height(), loaded.Height());
      EXPECT_EQ(target.PixelFormat(), loaded.PixelFormat());
      EXPECT_EQ(target.ColourTable(), loaded.ColourTable()) << width;
      EXPECT_EQ(target.SaveToStream(), loaded.SaveToStream()) << width;
    }
  }
}

TEST(DIBWriter, ResultOverThePictureCapIsRefusedBeforeTheWork) {
  // Loading its BMP file would refuse it, so the writer does, at the first row.
  TBitmap target;
  TDIBWriter w(target, nullptr, 1, kMaxPictureSide + 1, pf8bit);
  ExpectMessage<EInvalidGraphic>([&] { w.RowPointer(0); }, kPictureTooLarge);
  EXPECT_EQ(w.HeaderBlock(), nullptr);
}

TEST(DIBWriter, TwentyFourBitRowsReachTarget) {
  TBitmap target;
  {
    TDIBWriter w(target, nullptr, 1, 2, pf24bit);
    const std::uint8_t bgr[6] = {1, 2, 3, 4, 5, 6};
    std::memcpy(w.RowPointer(0), bgr, 6);
  }
  ASSERT_EQ(target.PixelFormat(), pf24bit);
  EXPECT_EQ(target.PixelColour(1, 0) & 0xFFFFFFu, 0x060504u);
}

TEST(DIBWriter, NothingStoredWithoutRows) {
  TBitmap target = test::MakeBitmap24(1, 1, {{9, 9, 9}});
  { TDIBWriter w(target, nullptr, 2, 2, pf8bit); }
  EXPECT_EQ(target.Width(), 1);
  EXPECT_EQ(target.PixelFormat(), pf24bit);
}

TEST(DIBWriter, NothingStoredWhileAnExceptionUnwinds) {
  TBitmap target;
  try {
    TDIBWriter w(target, nullptr, 2, 2, pf8bit);
    w.RowPointer(0);
    throw std::runtime_error("stop");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(target.Width(), 0);
}

TEST(DIBReader, ConvertsSourceAndGivesItsRows) {
  TBitmap source = test::MakeBitmap24(2, 2, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}});
  source.SetPixelFormat(pf32bit);
  TDIBReader reader(source);
  EXPECT_EQ(source.PixelFormat(), pf24bit);
  EXPECT_EQ(reader.PixelFormat(), pf24bit);
  const std::uint8_t* row1 = reader.RowPointer(1);
  const std::uint8_t want[6] = {9, 8, 7, 12, 11, 10};
  EXPECT_EQ(std::memcmp(row1, want, 6), 0);
  EXPECT_THROW(reader.RowPointer(2), EInvalidGraphicOperation);
}

}  // namespace
}  // namespace quill
