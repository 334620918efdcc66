// Drawing, resizing, palettes and plain-bitmap copies of the DIB graphic.
#include <gtest/gtest.h>

#include <string>

#include "quill/base/Errors.h"
#include "quill/imaging/Bitmap.h"
#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/DIB.h"
#include "quill/imaging/GifImage.h"
#include "quill/imaging/ImageLimits.h"
#include "quill/imaging/Stream.h"
#include "tests/imaging/dib_test_bytes.h"

namespace quill {
namespace {

using dibtest::BuildBmp;
using dibtest::Get32;
using dibtest::MessageOf;
using dibtest::TBmpLayout;
using dibtest::ValidLayout;

// The colour of entry i of dibtest::DistinctQuads.
TColor32 TableColour(int i) { return MakeColour32(std::uint8_t(i * 7), std::uint8_t(255 - i), std::uint8_t(i)); }

TBmpLayout WithPixels(std::int32_t width, std::int32_t height, std::uint16_t bits, std::vector<std::uint8_t> pixels,
                      std::uint32_t clrUsed = 0) {
  TBmpLayout layout = ValidLayout(width, height, bits, clrUsed);
  layout.Pixels = std::move(pixels);
  return layout;
}

TDIB FromLayout(const TBmpLayout& layout) {
  TDIB dib;
  const auto file = BuildBmp(layout);
  TMemoryViewStream stream(file);
  dib.ReadBMP(stream);
  return dib;
}

std::vector<TColor32> Drawn(const TDIB& dib) {
  TBitmap32 bitmap;
  bitmap.ChangeSize(dib.Width(), dib.Height());
  dib.DrawOnto(bitmap);
  return std::vector<TColor32>(bitmap.Bits(), bitmap.Bits() + dib.Width() * dib.Height());
}

std::vector<std::uint8_t> RowBytes(const TDIB& dib, int topRow) {
  const TDIBImage& image = *dib.Image();
  return std::vector<std::uint8_t>(image.Row(topRow), image.Row(topRow) + image.RowBytes());
}

const TColor32 kBlack = 0xFF000000u;

// --- drawing -------------------------------------------------------------

TEST(TDIBDraw, OneBitRowsTopDownLeftmostPixelInHighBitPaddingIgnored) {
  // bottom row all set; top row 1010000011 followed by set padding bits
  const TDIB dib = FromLayout(WithPixels(10, 2, 1, {0xFF, 0xC0, 0x00, 0x00, 0xA0, 0xC0, 0xFF, 0xFF}));
  const TColor32 c0 = TableColour(0), c1 = TableColour(1);
  const std::vector<TColor32> expected = {c1, c0, c1, c0, c0, c0, c0, c0, c1, c1,
                                          c1, c1, c1, c1, c1, c1, c1, c1, c1, c1};
  EXPECT_EQ(Drawn(dib), expected);
}

TEST(TDIBDraw, FourBitHighNibbleFirst) {
  const TDIB dib = FromLayout(WithPixels(3, 1, 4, {0x12, 0x3F, 0xFF, 0xFF}));
  EXPECT_EQ(Drawn(dib), (std::vector<TColor32>{TableColour(1), TableColour(2), TableColour(3)}));
}

TEST(TDIBDraw, IndexPastTheColourTableIsBlack) {
  const TDIB dib = FromLayout(WithPixels(4, 1, 8, {0, 3, 4, 200}, 4));
  EXPECT_EQ(Drawn(dib), (std::vector<TColor32>{TableColour(0), TableColour(3), kBlack, kBlack}));
}

TEST(TDIBDraw, SixteenBitIsFiveFiveFiveWithTopBitIgnored) {
  const TDIB dib = FromLayout(WithPixels(4, 1, 16, {0xFF, 0x7F, 0x00, 0x7C, 0x01, 0x00, 0x00, 0x80}));
  EXPECT_EQ(Drawn(dib), (std::vector<TColor32>{0xFFFFFFFFu, 0xFFFF0000u, 0xFF000008u, kBlack}));
}

TEST(TDIBDraw, TwentyFourBitIsBlueGreenRed) {
  const TDIB dib = FromLayout(WithPixels(2, 1, 24, {1, 2, 3, 4, 5, 6, 0, 0}));
  EXPECT_EQ(Drawn(dib), (std::vector<TColor32>{MakeColour32(3, 2, 1), MakeColour32(6, 5, 4)}));
}

TEST(TDIBDraw, ThirtyTwoBitUnusedByteBecomesOpaque) {
  const TDIB dib = FromLayout(WithPixels(2, 1, 32, {1, 2, 3, 0, 4, 5, 6, 77}));
  EXPECT_EQ(Drawn(dib), (std::vector<TColor32>{MakeColour32(3, 2, 1), MakeColour32(6, 5, 4)}));
}

TEST(TDIBDraw, StaysInsideASmallerBitmapAndLeavesTheRestOfALargerOne) {
  const TDIB dib = FromLayout(WithPixels(2, 2, 24, {10, 10, 10, 20, 20, 20, 0, 0, 30, 30, 30, 40, 40, 40, 0, 0}));
  TBitmap32 small;
  small.ChangeSize(1, 1);
  dib.DrawOnto(small);
  EXPECT_EQ(small.GetPixelUnchecked(0, 0), MakeColour32(30, 30, 30));
  TBitmap32 large;
  large.ChangeSize(3, 3);
  large.FillAll(0x12345678u);
  dib.DrawOnto(large);
  EXPECT_EQ(large.GetPixelUnchecked(1, 1), MakeColour32(20, 20, 20));
  EXPECT_EQ(large.GetPixelUnchecked(2, 0), 0x12345678u);
  EXPECT_EQ(large.GetPixelUnchecked(0, 2), 0x12345678u);
}

TEST(TDIBDraw, BitmapCopiesTheDibAsAnOpaqueGraphic) {
  const TDIB dib = FromLayout(WithPixels(2, 1, 32, {1, 2, 3, 0, 4, 5, 6, 0}));
  TBitmap32 bitmap;
  bitmap.CopyFrom(static_cast<const TGraphic&>(dib));
  ASSERT_EQ(bitmap.Width(), 2);
  EXPECT_EQ(bitmap.GetPixelUnchecked(1, 0), MakeColour32(6, 5, 4));
}

// --- resizing ------------------------------------------------------------

TEST(TDIBResize, NarrowingOneBitKeepsLeadingPixelsAndClearsTheRest) {
  TDIB dib = FromLayout(WithPixels(10, 2, 1, {0xFF, 0xC0, 0x00, 0x00, 0xA0, 0xC0, 0xFF, 0xFF}));
  dib.SetWidth(5);
  EXPECT_EQ(dib.Width(), 5);
  EXPECT_EQ(RowBytes(dib, 0), (std::vector<std::uint8_t>{0xA0, 0, 0, 0}));
  EXPECT_EQ(RowBytes(dib, 1), (std::vector<std::uint8_t>{0xF8, 0, 0, 0}));
}

TEST(TDIBResize, WideningOneBitNeverTurnsOldPaddingIntoPixels) {
  TDIB dib = FromLayout(WithPixels(5, 1, 1, {0xFF, 0xFF, 0xFF, 0xFF}));
  dib.SetWidth(12);
  EXPECT_EQ(RowBytes(dib, 0), (std::vector<std::uint8_t>{0xF8, 0, 0, 0}));
  const auto drawn = Drawn(dib);
  for (int x = 0; x < 12; ++x) EXPECT_EQ(drawn[x], TableColour(x < 5 ? 1 : 0)) << x;
}

TEST(TDIBResize, OneBitPartialSecondByteIsMasked) {
  TDIB dib = FromLayout(WithPixels(12, 1, 1, {0xAB, 0xCD, 0xEF, 0x01}));
  dib.SetWidth(13);
  EXPECT_EQ(RowBytes(dib, 0), (std::vector<std::uint8_t>{0xAB, 0xC0, 0, 0}));
}

TEST(TDIBResize, FourBitOddWidthsKeepWholeNibbles) {
  TDIB wider = FromLayout(WithPixels(3, 1, 4, {0x12, 0x3F, 0xFF, 0xFF}));
  wider.SetWidth(5);
  EXPECT_EQ(RowBytes(wider, 0), (std::vector<std::uint8_t>{0x12, 0x30, 0, 0}));
  EXPECT_EQ(Drawn(wider),
            (std::vector<TColor32>{TableColour(1), TableColour(2), TableColour(3), TableColour(0), TableColour(0)}));
  TDIB narrower = FromLayout(WithPixels(3, 1, 4, {0x12, 0x3F, 0xFF, 0xFF}));
  narrower.SetWidth(1);
  EXPECT_EQ(RowBytes(narrower, 0), (std::vector<std::uint8_t>{0x10, 0, 0, 0}));
}

TEST(TDIBResize, HeightChangesKeepTheTopRows) {
  // stored bottom-up: 10, 20, 30 -> the picture reads 30, 20, 10 from the top
  const auto pixels = std::vector<std::uint8_t>{10, 10, 10, 0, 20, 20, 20, 0, 30, 30, 30, 0};
  TDIB taller = FromLayout(WithPixels(1, 3, 24, pixels));
  taller.SetHeight(5);
  EXPECT_EQ(Drawn(taller), (std::vector<TColor32>{MakeColour32(30, 30, 30), MakeColour32(20, 20, 20),
                                                  MakeColour32(10, 10, 10), kBlack, kBlack}));
  TDIB shorter = FromLayout(WithPixels(1, 3, 24, pixels));
  shorter.SetHeight(1);
  EXPECT_EQ(Drawn(shorter), (std::vector<TColor32>{MakeColour32(30, 30, 30)}));
}

TEST(TDIBResize, KeepsHeaderFieldsAndColourTableAndUpdatesSizes) {
  TDIB dib = FromLayout(ValidLayout(3, 2, 8, 16));
  dib.SetWidth(7);
  const auto data = dib.ExportClipboardDIB().Data;
  ASSERT_EQ(data.size(), 40u + 64u + 16u);
  EXPECT_EQ(Get32(data, 4), 7u);
  EXPECT_EQ(Get32(data, 8), 2u);
  EXPECT_EQ(Get32(data, 20), 16u);    // image size
  EXPECT_EQ(Get32(data, 24), 2835u);  // resolution kept
  EXPECT_EQ(Get32(data, 32), 16u);
  const auto quads = dibtest::DistinctQuads(16);
  EXPECT_TRUE(std::equal(quads.begin(), quads.end(), data.begin() + 40));
}

TEST(TDIBResize, BuildsANewImageSoSharedCopiesAreUntouched) {
  TDIB a = FromLayout(ValidLayout(3, 2, 8));
  TDIB b;
  b.CopyFrom(&a);
  const auto shared = a.Image();
  int changes = 0;
  a.OnChange = [&] { ++changes; };
  a.SetHeight(6);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(b.Image(), shared);
  EXPECT_EQ(b.Height(), 2);
  EXPECT_EQ(a.Height(), 6);
}

TEST(TDIBResize, SameSizeDoesNothing) {
  TDIB dib = FromLayout(ValidLayout(3, 2, 8));
  const auto before = dib.Image();
  int changes = 0;
  dib.OnChange = [&] { ++changes; };
  dib.SetWidth(3);
  dib.SetHeight(2);
  EXPECT_EQ(dib.Image(), before);
  EXPECT_EQ(changes, 0);
}

TEST(TDIBResize, BadSizesAreRefusedAndKeepTheImage) {
  TDIB dib = FromLayout(ValidLayout(3, 2, 8));
  const auto before = dib.Image();
  EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { dib.SetWidth(0); }), "Invalid picture dimensions");
  EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { dib.SetHeight(-1); }), "Invalid picture dimensions");
  EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { dib.SetHeight(40000); }), kPictureTooLarge);
  EXPECT_EQ(dib.Image(), before);
  TDIB empty;
  EXPECT_EQ(MessageOf<EInvalidGraphicOperation>([&] { empty.SetWidth(4); }), kEmptyDIB);
}

// --- palette -------------------------------------------------------------

struct TPaletteCase {
  std::uint16_t Bits;
  std::uint32_t ClrUsed;
  int Expected;
};

class DIBMakePalette : public ::testing::TestWithParam<TPaletteCase> {};

TEST_P(DIBMakePalette, OneEntryPerColourUsedNoneFromSixteenBitsUp) {
  const TPaletteCase& c = GetParam();
  const TDIB dib = FromLayout(ValidLayout(2, 2, c.Bits, c.ClrUsed));
  const TPalette palette = dib.MakePalette();
  ASSERT_EQ(palette.EntryCount(), c.Expected);
  for (int i = 0; i < c.Expected; ++i) {
    const TPaletteEntry e = palette.Entries()[i];
    EXPECT_EQ(MakeColour32(e.Red, e.Green, e.Blue), TableColour(i));
    EXPECT_EQ(e.Flags, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Depths, DIBMakePalette,
                         ::testing::Values(TPaletteCase{8, 16, 16}, TPaletteCase{8, 0, 256}, TPaletteCase{1, 0, 2},
                                           TPaletteCase{4, 0, 16}, TPaletteCase{4, 5, 5}, TPaletteCase{24, 5, 0},
                                           TPaletteCase{16, 0, 0}, TPaletteCase{32, 0, 0}));

TEST(TDIBMakePaletteEmpty, EmptyPictureHasNoEntries) { EXPECT_EQ(TDIB().MakePalette().EntryCount(), 0); }

// --- from a plain bitmap -------------------------------------------------

std::vector<TPaletteEntry> DistinctTable(int n) {
  std::vector<TPaletteEntry> table(n);
  for (int i = 0; i < n; ++i) table[i] = {std::uint8_t(i * 7), std::uint8_t(255 - i), std::uint8_t(i), 0};
  return table;
}

TBitmap PlainBitmap(TPixelFormat format, int width, int height, int tableSize = 0) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(format);
  if (tableSize) bitmap.SetColourTable(DistinctTable(tableSize));
  bitmap.SetSize(width, height);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = bitmap.ScanLine(y);
    for (std::size_t i = 0; i < bitmap.RowBytes(); ++i) row[i] = std::uint8_t(y * 50 + i * 3 + 1);
  }
  return bitmap;
}

TEST(TDIBFromBitmap, EightBitTakesFullTableAndRowsBottomUp) {
  const TBitmap bitmap = PlainBitmap(pf8bit, 3, 2, 256);
  TDIB dib;
  dib.CopyFrom(bitmap);
  ASSERT_EQ(dib.Width(), 3);
  EXPECT_EQ(dib.Image()->BitCount(), 8);
  EXPECT_EQ(Get32(dib.Image()->Bytes(), 32), 256u);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(dib.Image()->ColourEntry(i), DistinctTable(256)[i]);
  for (int y = 0; y < 2; ++y)
    EXPECT_TRUE(std::equal(bitmap.ScanLine(y), bitmap.ScanLine(y) + 3, dib.Image()->Row(y))) << y;
  // and back again
  TBitmap back;
  dib.CopyTo(back);
  ASSERT_EQ(back.Width(), 3);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(back.PixelColour(x, y), bitmap.PixelColour(x, y));
}

TEST(TDIBFromBitmap, ShortColourTableIsPaddedWithBlack) {
  const TBitmap bitmap = PlainBitmap(pf8bit, 2, 1, 16);
  TDIB dib;
  dib.CopyFrom(bitmap);
  EXPECT_EQ(dib.Image()->ColourCount(), 256u);
  EXPECT_EQ(dib.Image()->ColourEntry(15), DistinctTable(16)[15]);
  EXPECT_EQ(dib.Image()->ColourEntry(16), TPaletteEntry{});
}

TEST(TDIBFromBitmap, RowsOfDirectAndSubByteFormatsAreCopiedAsStored) {
  for (TPixelFormat format : {pf1bit, pf4bit, pf24bit, pf32bit}) {
    const TBitmap bitmap = PlainBitmap(format, 5, 3);
    TDIB dib;
    dib.CopyFrom(bitmap);
    ASSERT_EQ(dib.Image()->RowBytes(), bitmap.RowBytes()) << format;
    for (int y = 0; y < 3; ++y)
      EXPECT_TRUE(std::equal(bitmap.ScanLine(y), bitmap.ScanLine(y) + bitmap.RowBytes(), dib.Image()->Row(y)))
          << format << " row " << y;
  }
}

TEST(TDIBFromBitmap, SixteenBitFormatsGoOutAsFiveFiveFive) {
  for (TPixelFormat format : {pf15bit, pf16bit}) {
    const TBitmap bitmap = PlainBitmap(format, 3, 2);
    TDIB dib;
    dib.CopyFrom(bitmap);
    EXPECT_EQ(dib.Image()->BitCount(), 16);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x) {
        const TColor32 c = bitmap.PixelColour(x, y);
        const unsigned expected =
            (RedComponent(c) >> 3) << 10 | (GreenComponent(c) >> 3) << 5 | (BlueComponent(c) >> 3);
        const std::uint8_t* p = dib.Image()->Row(y) + 2 * x;
        EXPECT_EQ(unsigned(p[0] | p[1] << 8), expected) << format << " " << x << "," << y;
      }
  }
}

TEST(TDIBFromBitmap, EmptyBitmapIsInvalidAndKeepsTheImage) {
  TDIB dib = FromLayout(ValidLayout(2, 2, 8));
  const auto before = dib.Image();
  EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { dib.CopyFrom(TBitmap()); }), "Invalid bitmap");
  EXPECT_EQ(dib.Image(), before);
}

TEST(TDIBFromGraphic, TakesDibsAndPlainBitmapsAndRefusesOtherKinds) {
  const TDIB source = FromLayout(ValidLayout(2, 2, 8));
  TDIB dib;
  dib.CopyFrom(static_cast<const TGraphic&>(source));
  EXPECT_EQ(dib.Image(), source.Image());
  dib.CopyFrom(static_cast<const TGraphic&>(PlainBitmap(pf24bit, 4, 1)));
  EXPECT_EQ(dib.Width(), 4);
  EXPECT_EQ(MessageOf<EInvalidGraphicOperation>([&] { dib.CopyFrom(static_cast<const TGraphic&>(TGIFImage())); }),
            kCannotAssignGraphic);
  EXPECT_EQ(dib.Width(), 4);
}

}  // namespace
}  // namespace quill
