// Pictures through the clipboard service, on the in-memory clipboard.
#include <gtest/gtest.h>

#include "quill/base/Errors.h"
#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/DIB.h"
#include "quill/imaging/Stream.h"
#include "quill/platform/ClipboardPictures.h"
#include "quill/platform/headless/MemoryClipboard.h"
#include "tests/imaging/dib_test_bytes.h"

namespace quill {
namespace {

using dibtest::BuildBmp;
using dibtest::Get32;
using dibtest::MessageOf;
using dibtest::ValidLayout;

std::vector<std::uint8_t> PackedBlock(dibtest::TBmpLayout layout) {
  layout.FileHeader = false;
  return BuildBmp(layout);
}

TDIB DIBFrom(const dibtest::TBmpLayout& layout) {
  TDIB dib;
  const auto file = BuildBmp(layout);
  TMemoryViewStream stream(file);
  dib.ReadBMP(stream);
  return dib;
}

TEST(PutDIBOnClipboard, EmptiesTheClipboardAndLeavesOneCfDibItem) {
  TMemoryClipboard clipboard;
  clipboard.SetData(1, {1, 2, 3});
  clipboard.SetData(kCF_BITMAP, {4});
  const TDIB dib = DIBFrom(ValidLayout(5, 3, 8, 256));
  PutDIBOnClipboard(dib, clipboard);
  EXPECT_EQ(clipboard.Formats(), std::vector<unsigned>{kCF_DIB});
  EXPECT_EQ(*clipboard.GetData(kCF_DIB), PackedBlock(ValidLayout(5, 3, 8, 256)));
}

TEST(PutDIBOnClipboard, EmptyPictureLeavesTheClipboardAsItWas) {
  TMemoryClipboard clipboard;
  clipboard.SetData(1, {1, 2, 3});
  EXPECT_EQ(MessageOf<EInvalidGraphicOperation>([&] { PutDIBOnClipboard(TDIB(), clipboard); }), kEmptyDIB);
  EXPECT_EQ(clipboard.Formats(), std::vector<unsigned>{1});
}

TEST(PutDIBOnClipboard, RefusedClipboardRaisesItsError) {
  TMemoryClipboard clipboard;
  clipboard.SetRefusing(true);
  EXPECT_EQ(MessageOf<Exception>([&] { PutDIBOnClipboard(DIBFrom(ValidLayout(2, 2, 8)), clipboard); }),
            "Cannot open clipboard");
}

TEST(CopyDIBFromClipboard, RoundTripGivesTheSameDib) {
  TMemoryClipboard clipboard;
  const TDIB original = DIBFrom(ValidLayout(7, 4, 4, 16));
  PutDIBOnClipboard(original, clipboard);
  TDIB copy;
  CopyDIBFromClipboard(copy, clipboard);
  EXPECT_EQ(copy.ExportClipboardDIB().Data, original.ExportClipboardDIB().Data);
  EXPECT_NE(copy.Image(), original.Image());
}

TEST(CopyDIBFromClipboard, WithoutCfDibIsUnknownFormatAndKeepsTheImage) {
  TMemoryClipboard clipboard;
  clipboard.SetData(kCF_BITMAP, PackedBlock(ValidLayout(2, 2, 24)));
  TDIB dib = DIBFrom(ValidLayout(3, 3, 8));
  const auto before = dib.Image();
  EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { CopyDIBFromClipboard(dib, clipboard); }), "Unknown clipboard format");
  EXPECT_EQ(dib.Image(), before);
}

TEST(CopyDIBFromClipboard, UnreadableCfDibIsUnknownFormatAndKeepsTheImage) {
  const std::vector<std::vector<std::uint8_t>> blocks = {
      {},
      {40, 0, 0},
      [] {
        auto b = PackedBlock(ValidLayout(4, 4, 8));
        b.resize(b.size() - 1);
        return b;
      }(),
      [] {
        auto s = ValidLayout(4, 4, 32);
        s.Compression = 3;
        return PackedBlock(s);
      }(),
  };
  for (const auto& block : blocks) {
    TMemoryClipboard clipboard;
    clipboard.SetData(kCF_DIB, block);
    TDIB dib = DIBFrom(ValidLayout(3, 3, 8));
    const auto before = dib.Image();
    EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { CopyDIBFromClipboard(dib, clipboard); }), "Unknown clipboard format")
        << block.size();
    EXPECT_EQ(dib.Image(), before);
  }
}

TEST(PictureFromClipboard, PrefersCfDibOverCfBitmap) {
  TMemoryClipboard clipboard;
  clipboard.SetData(kCF_BITMAP, PackedBlock(ValidLayout(2, 2, 24)));
  clipboard.SetData(kCF_DIB, PackedBlock(ValidLayout(5, 1, 8)));
  EXPECT_EQ(PictureFromClipboard(clipboard)->Width(), 5);
}

TEST(PictureFromClipboard, TakesCfBitmapWhenThereIsNoCfDib) {
  TMemoryClipboard clipboard;
  clipboard.SetData(kCF_BITMAP, PackedBlock(ValidLayout(2, 3, 24)));
  const auto picture = PictureFromClipboard(clipboard);
  EXPECT_EQ(picture->Width(), 2);
  EXPECT_EQ(picture->Height(), 3);
}

TEST(PictureFromClipboard, NoPictureIsUnknownFormat) {
  TMemoryClipboard clipboard;
  clipboard.SetData(1, {'h', 'i'});
  EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { PictureFromClipboard(clipboard); }), "Unknown clipboard format");
}

// What other programs and the system's own CF_DIB synthesis put there: a
// 32-bit image with bit-field masks, here top-down as well.
std::vector<std::uint8_t> MaskedTopDownBlock() {
  std::vector<std::uint8_t> b;
  auto put32 = [&b](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(std::uint8_t(v >> (8 * i)));
  };
  put32(40);
  put32(2);
  put32(std::uint32_t(-2));  // top-down
  b.push_back(1), b.push_back(0), b.push_back(32), b.push_back(0);
  put32(3);  // bit fields
  for (int i = 0; i < 5; ++i) put32(0);
  put32(0x00FF0000u), put32(0x0000FF00u), put32(0x000000FFu);
  put32(0x00112233u), put32(0x00445566u);  // top row
  put32(0x00778899u), put32(0x00AABBCCu);
  return b;
}

TEST(CopyBitmap32FromClipboard, TakesImagesTheDibReaderRefuses) {
  for (unsigned format : {kCF_DIB, kCF_BITMAP}) {
    TMemoryClipboard clipboard;
    clipboard.SetData(format, MaskedTopDownBlock());
    TBitmap32 bitmap;
    CopyBitmap32FromClipboard(bitmap, clipboard);
    ASSERT_EQ(bitmap.Width(), 2);
    ASSERT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(bitmap.GetPixelUnchecked(0, 0), 0xFF112233u);
    EXPECT_EQ(bitmap.GetPixelUnchecked(1, 1), 0xFFAABBCCu);
  }
}

TEST(CopyBitmap32FromClipboard, BytesNoReaderTakesAreUnknownFormat) {
  TMemoryClipboard clipboard;
  auto block = MaskedTopDownBlock();
  block.resize(30);
  clipboard.SetData(kCF_DIB, block);
  TBitmap32 bitmap;
  bitmap.ChangeSize(1, 1);
  EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { CopyBitmap32FromClipboard(bitmap, clipboard); }),
            "Unknown clipboard format");
  EXPECT_EQ(bitmap.Width(), 1);
}

TEST(CopyBitmap32FromClipboard, DrawsThePaletteColoursOpaque) {
  TMemoryClipboard clipboard;
  auto layout = ValidLayout(3, 1, 8, 4);
  layout.Pixels = {0, 2, 3, 0};
  clipboard.SetData(kCF_DIB, PackedBlock(layout));
  TBitmap32 bitmap;
  int changes = 0;
  bitmap.OnChange = [&] { ++changes; };
  CopyBitmap32FromClipboard(bitmap, clipboard);
  ASSERT_EQ(bitmap.Width(), 3);
  ASSERT_EQ(bitmap.Height(), 1);
  // entry i of the test table: red i * 7, green 255 - i, blue i
  EXPECT_EQ(bitmap.GetPixelUnchecked(0, 0), MakeColour32(0, 255, 0));
  EXPECT_EQ(bitmap.GetPixelUnchecked(1, 0), MakeColour32(14, 253, 2));
  EXPECT_EQ(bitmap.GetPixelUnchecked(2, 0), MakeColour32(21, 252, 3));
  EXPECT_GE(changes, 1);
}

TEST(CopyBitmap32FromClipboard, ThirtyTwoBitBitmapComesOutOpaque) {
  TMemoryClipboard clipboard;
  auto layout = ValidLayout(2, 1, 32);
  layout.Pixels = {10, 20, 30, 0, 40, 50, 60, 128};
  clipboard.SetData(kCF_BITMAP, PackedBlock(layout));
  TBitmap32 bitmap;
  CopyBitmap32FromClipboard(bitmap, clipboard);
  EXPECT_EQ(bitmap.GetPixelUnchecked(0, 0), MakeColour32(30, 20, 10));
  EXPECT_EQ(bitmap.GetPixelUnchecked(1, 0), MakeColour32(60, 50, 40));
}

TEST(CopyBitmap32FromClipboard, FailureKeepsThePixelsAndStillSignals) {
  TMemoryClipboard clipboard;
  TBitmap32 bitmap;
  bitmap.ChangeSize(2, 2);
  bitmap.FillAll(0xFF123456u);
  int changes = 0;
  bitmap.OnChange = [&] { ++changes; };
  EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { CopyBitmap32FromClipboard(bitmap, clipboard); }),
            "Unknown clipboard format");
  EXPECT_EQ(bitmap.Width(), 2);
  EXPECT_EQ(bitmap.GetPixelUnchecked(1, 1), 0xFF123456u);
  EXPECT_EQ(changes, 1);
}

TEST(CopyBitmap32ToClipboard, PutsOneBottomUpThirtyTwoBitBitmapWithAlphaKept) {
  TBitmap32 bitmap;
  bitmap.ChangeSize(2, 2);
  bitmap.SetPixelUnchecked(0, 0, 0x11223344u);  // top left
  bitmap.SetPixelUnchecked(1, 0, 0xFF000001u);
  bitmap.SetPixelUnchecked(0, 1, 0x80FFFFFFu);  // bottom left
  bitmap.SetPixelUnchecked(1, 1, 0x00000000u);
  TMemoryClipboard clipboard;
  clipboard.SetData(kCF_DIB, {1});
  CopyBitmap32ToClipboard(bitmap, clipboard);
  ASSERT_EQ(clipboard.Formats(), std::vector<unsigned>{kCF_BITMAP});
  const auto block = *clipboard.GetData(kCF_BITMAP);
  ASSERT_EQ(block.size(), 40u + 16u);
  EXPECT_EQ(Get32(block, 4), 2u);
  EXPECT_EQ(Get32(block, 8), 2u);  // positive: bottom-up rows
  EXPECT_EQ(block[14], 32);
  EXPECT_EQ(Get32(block, 16), 0u);
  EXPECT_EQ(Get32(block, 40), 0x80FFFFFFu);  // the bottom row comes first
  EXPECT_EQ(Get32(block, 48), 0x11223344u);
  EXPECT_EQ(Get32(block, 52), 0xFF000001u);
}

TEST(CopyBitmap32ToClipboard, RoundTripGivesTheSameOpaquePixels) {
  TBitmap32 bitmap;
  bitmap.ChangeSize(5, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      bitmap.SetPixelUnchecked(x, y, MakeColour32(std::uint8_t(x * 40), std::uint8_t(y * 90), 7));
  TMemoryClipboard clipboard;
  CopyBitmap32ToClipboard(bitmap, clipboard);
  TBitmap32 back;
  CopyBitmap32FromClipboard(back, clipboard);
  ASSERT_EQ(back.Width(), 5);
  ASSERT_EQ(back.Height(), 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(back.GetPixelUnchecked(x, y), bitmap.GetPixelUnchecked(x, y));
}

TEST(CopyBitmap32ToClipboard, EmptyBitmapLeavesTheClipboardAsItWas) {
  TMemoryClipboard clipboard;
  clipboard.SetData(kCF_DIB, {1, 2});
  EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { CopyBitmap32ToClipboard(TBitmap32(), clipboard); }), "Invalid bitmap");
  EXPECT_EQ(clipboard.Formats(), std::vector<unsigned>{kCF_DIB});
}

}  // namespace
}  // namespace quill
