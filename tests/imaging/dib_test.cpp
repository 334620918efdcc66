// Reading, writing and handing over the DIB graphic.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "quill/base/Errors.h"
#include "quill/imaging/Bitmap.h"
#include "quill/imaging/DIB.h"
#include "quill/imaging/FileBytes.h"
#include "quill/imaging/Stream.h"
#include "tests/imaging/dib_test_bytes.h"

namespace quill {
namespace {

using dibtest::BuildBmp;
using dibtest::Get32;
using dibtest::MessageOf;
using dibtest::ValidLayout;

std::vector<std::uint8_t> AfterFileHeader(const std::vector<std::uint8_t>& file) {
  return std::vector<std::uint8_t>(file.begin() + 14, file.end());
}

void Load(TDIB& dib, const std::vector<std::uint8_t>& file) {
  TMemoryViewStream stream(file);
  dib.ReadBMP(stream);
}

TEST(TDIB, ExporterKindFileGivesHeaderTableAndRowsUnderCfDib) {
  const auto file = BuildBmp(ValidLayout(5, 3, 8, 256));
  TDIB dib;
  Load(dib, file);
  const TClipboardDIB item = dib.ExportClipboardDIB();
  EXPECT_EQ(item.Format, 8u);
  EXPECT_EQ(item.Palette, 0u);
  EXPECT_EQ(item.Data.size(), 40u + 1024u + 8u * 3u);
  EXPECT_EQ(item.Data, AfterFileHeader(file));
  EXPECT_EQ(dib.Width(), 5);
  EXPECT_EQ(dib.Height(), 3);
}

TEST(TDIB, FileNotStartingWithBmIsInvalidBitmap) {
  auto layout = ValidLayout(2, 2, 8);
  layout.Signature = 0x4D43;
  TDIB dib;
  EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { Load(dib, BuildBmp(layout)); }), "Invalid bitmap");
  EXPECT_EQ(dib.Image(), nullptr);
}

TEST(TDIB, EightBitFileWithoutColourCountGetsFullTableAndCountWrittenBack) {
  const auto file = BuildBmp(ValidLayout(3, 2, 8, 0));
  TDIB dib;
  Load(dib, file);
  const auto data = dib.ExportClipboardDIB().Data;
  ASSERT_EQ(data.size(), 40u + 1024u + 4u * 2u);
  EXPECT_EQ(Get32(data, 32), 256u);
  EXPECT_EQ(dib.Image()->ColourCount(), 256u);
  // Apart from the count, the bytes are the file's.
  auto expected = AfterFileHeader(file);
  expected[32] = 0x00;
  expected[33] = 0x01;
  EXPECT_EQ(data, expected);
}

TEST(TDIB, CoreHeaderFileComesBackWithInfoHeaderAndFourByteEntries) {
  dibtest::TBmpLayout layout;
  layout.HeaderSize = 12;
  layout.Width = 3;
  layout.Height = 2;
  layout.BitCount = 8;
  layout.Table = dibtest::DistinctQuads(256, 3);
  layout.Pixels = dibtest::PatternBytes(8);
  TDIB dib;
  Load(dib, BuildBmp(layout));
  const auto data = dib.ExportClipboardDIB().Data;
  ASSERT_EQ(data.size(), 40u + 1024u + 8u);
  EXPECT_EQ(Get32(data, 0), 40u);
  EXPECT_EQ(Get32(data, 4), 3u);
  EXPECT_EQ(Get32(data, 8), 2u);
  EXPECT_EQ(data[12] | data[13] << 8, 1);
  EXPECT_EQ(data[14] | data[15] << 8, 8);
  EXPECT_EQ(Get32(data, 16), 0u);  // compression
  EXPECT_EQ(Get32(data, 20), 8u);  // image size = pixel block
  EXPECT_EQ(Get32(data, 24), 0u);  // resolutions
  EXPECT_EQ(Get32(data, 28), 0u);
  EXPECT_EQ(Get32(data, 32), 256u);  // colours used
  EXPECT_EQ(Get32(data, 36), 256u);  // colours important
  const auto quads = dibtest::DistinctQuads(256);
  EXPECT_TRUE(std::equal(quads.begin(), quads.end(), data.begin() + 40));
  EXPECT_TRUE(std::equal(layout.Pixels.begin(), layout.Pixels.end(), data.begin() + 40 + 1024));
}

TEST(TDIB, CoreHeaderTrueColourFileHasNoTable) {
  dibtest::TBmpLayout layout;
  layout.HeaderSize = 12;
  layout.Width = 2;
  layout.Height = 2;
  layout.BitCount = 24;
  layout.Pixels = dibtest::PatternBytes(16);
  TDIB dib;
  Load(dib, BuildBmp(layout));
  const auto data = dib.ExportClipboardDIB().Data;
  ASSERT_EQ(data.size(), 40u + 16u);
  EXPECT_EQ(Get32(data, 32), 0u);
  EXPECT_EQ(dib.MakePalette().EntryCount(), 0);
}

TEST(TDIB, WriteBmpAfterLoadFileReproducesTheFile) {
  const auto file = BuildBmp(ValidLayout(5, 3, 8, 16));
  const std::string path = ::testing::TempDir() + "dib_write_test.bmp";
  WriteFileBytes(path, file);
  TDIB dib;
  dib.LoadFile(path);
  std::remove(path.c_str());
  TMemoryStream out;
  dib.WriteBMP(out);
  EXPECT_EQ(out.Bytes(), file);
  EXPECT_EQ(Get32(out.Bytes(), 10), 14u + 40u + 4u * 16u);
  EXPECT_EQ(Get32(out.Bytes(), 2), std::uint32_t(file.size()));
}

TEST(TDIB, LoadFileOfMissingFileIsFileError) {
  TDIB dib;
  const std::string path = ::testing::TempDir() + "no_such_picture.bmp";
  EXPECT_EQ(MessageOf<EFileError>([&] { dib.LoadFile(path); }), "Cannot open file \"" + path + "\"");
}

TEST(TDIB, EmptyPictureWritesNothing) {
  TDIB dib;
  TMemoryStream out;
  dib.WriteBMP(out);
  EXPECT_EQ(out.Size(), 0);
}

TEST(TDIB, NoBytesLeftMakesThePictureEmptyAndSignals) {
  TDIB dib;
  Load(dib, BuildBmp(ValidLayout(2, 2, 24)));
  int changes = 0;
  dib.OnChange = [&] { ++changes; };
  const auto file = BuildBmp(ValidLayout(2, 2, 24));
  TMemoryViewStream stream(file);
  stream.Seek(0, soEnd);
  dib.ReadBMP(stream);
  EXPECT_EQ(dib.Image(), nullptr);
  EXPECT_EQ(dib.Width(), 0);
  EXPECT_EQ(changes, 1);
}

TEST(TDIB, ReadsFromTheStreamPositionAndIgnoresThePixelOffset) {
  auto file = BuildBmp(ValidLayout(3, 3, 4, 16));
  file[10] = 0xEE;  // a pixel offset pointing nowhere
  std::vector<std::uint8_t> prefixed = {'x', 'y', 'z'};
  prefixed.insert(prefixed.end(), file.begin(), file.end());
  prefixed.insert(prefixed.end(), {1, 2, 3, 4, 5});  // trailing bytes are not part of the DIB
  TMemoryViewStream stream(prefixed);
  stream.SetPosition(3);
  TDIB dib;
  dib.ReadBMP(stream);
  EXPECT_EQ(dib.ExportClipboardDIB().Data, AfterFileHeader(file));
}

TEST(TDIB, ReadSignalsOneChange) {
  TDIB dib;
  int changes = 0;
  dib.OnChange = [&] { ++changes; };
  Load(dib, BuildBmp(ValidLayout(2, 2, 1)));
  EXPECT_EQ(changes, 1);
}

TEST(TDIB, MonochromeMeansOneBitOnOnePlane) {
  TDIB mono, grey;
  Load(mono, BuildBmp(ValidLayout(9, 2, 1)));
  Load(grey, BuildBmp(ValidLayout(9, 2, 4)));
  EXPECT_TRUE(mono.Monochrome());
  EXPECT_FALSE(grey.Monochrome());
  EXPECT_FALSE(TDIB().Monochrome());
}

TEST(TDIB, CopiesShareOneImageAndNullEmpties) {
  TDIB a, b;
  Load(a, BuildBmp(ValidLayout(2, 2, 8)));
  b.CopyFrom(&a);
  EXPECT_EQ(a.Image(), b.Image());
  EXPECT_EQ(a.Image().use_count(), 2);
  a.CopyFrom(static_cast<const TDIB*>(nullptr));
  EXPECT_EQ(a.Image(), nullptr);
  EXPECT_EQ(b.Image().use_count(), 1);
  EXPECT_EQ(b.Width(), 2);
}

TEST(TDIB, ExportOfEmptyPictureIsRefused) {
  TDIB dib;
  EXPECT_EQ(MessageOf<EInvalidGraphicOperation>([&] { dib.ExportClipboardDIB(); }), kEmptyDIB);
}

TEST(TDIB, ExportIsACopyThatOutlivesThePicture) {
  TClipboardDIB item;
  std::vector<std::uint8_t> expected;
  {
    TDIB dib;
    const auto file = BuildBmp(ValidLayout(4, 4, 24));
    Load(dib, file);
    item = dib.ExportClipboardDIB();
    expected = AfterFileHeader(file);
    EXPECT_NE(item.Data.data(), dib.Image()->Header());
  }
  EXPECT_EQ(item.Data, expected);
}

TEST(TDIB, ImportClipboardDibReadsThePackedBlock) {
  auto layout = ValidLayout(6, 2, 8, 20);
  layout.FileHeader = false;
  const auto block = BuildBmp(layout);
  TDIB dib;
  dib.ImportClipboardDIB(8, block.data(), block.size());
  EXPECT_EQ(dib.ExportClipboardDIB().Data, block);
}

TEST(TDIB, ImportClipboardDibRefusesOtherFormatsAndMissingData) {
  auto layout = ValidLayout(2, 2, 8);
  layout.FileHeader = false;
  const auto block = BuildBmp(layout);
  TDIB dib;
  EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { dib.ImportClipboardDIB(2, block.data(), block.size()); }),
            "Unknown clipboard format");
  EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { dib.ImportClipboardDIB(8, nullptr, 0); }), "Unknown clipboard format");
  EXPECT_EQ(dib.Image(), nullptr);
}

TEST(TDIB, CopyToPlainBitmapGivesSamePixelsAndPalette) {
  const auto layout = ValidLayout(5, 3, 8, 256);
  TDIB dib;
  Load(dib, BuildBmp(layout));
  TBitmap bitmap;
  dib.CopyTo(bitmap);
  ASSERT_EQ(bitmap.Width(), 5);
  ASSERT_EQ(bitmap.Height(), 3);
  EXPECT_EQ(bitmap.PixelFormat(), pf8bit);
  ASSERT_EQ(bitmap.ColourTable().size(), 256u);
  for (int i = 0; i < 256; ++i) {
    EXPECT_EQ(bitmap.ColourTable()[i].Blue, std::uint8_t(i));
    EXPECT_EQ(bitmap.ColourTable()[i].Green, std::uint8_t(255 - i));
    EXPECT_EQ(bitmap.ColourTable()[i].Red, std::uint8_t(i * 7));
  }
  const std::size_t rowBytes = dibtest::TestRowBytes(5, 8);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(bitmap.ScanLine(y)[x], layout.Pixels[std::size_t(2 - y) * rowBytes + x]) << x << "," << y;
}

TEST(TDIB, CopyToPlainBitmapFromEmptyPictureEmptiesIt) {
  TBitmap bitmap;
  bitmap.SetSize(3, 3);
  TDIB().CopyTo(bitmap);
  EXPECT_TRUE(bitmap.Empty());
}

TEST(TDIB, FormStorageIsLengthThenBmpFile) {
  const auto file = BuildBmp(ValidLayout(3, 2, 4, 16));
  TDIB dib;
  Load(dib, file);
  TMemoryStream stored;
  dib.WriteData(stored);
  ASSERT_EQ(stored.Bytes().size(), 4 + file.size());
  EXPECT_EQ(Get32(stored.Bytes(), 0), std::uint32_t(file.size()));
  EXPECT_TRUE(std::equal(file.begin(), file.end(), stored.Bytes().begin() + 4));

  stored.SetPosition(0);
  TDIB back;
  back.ReadData(stored);
  EXPECT_EQ(back.ExportClipboardDIB().Data, AfterFileHeader(file));
  EXPECT_EQ(stored.Position(), stored.Size());
}

TEST(TDIB, FormStorageOfEmptyPictureIsZeroLength) {
  TMemoryStream stored;
  TDIB().WriteData(stored);
  EXPECT_EQ(stored.Bytes(), std::vector<std::uint8_t>(4, 0));
  TDIB dib;
  Load(dib, BuildBmp(ValidLayout(2, 2, 8)));
  stored.SetPosition(0);
  dib.ReadData(stored);
  EXPECT_EQ(dib.Image(), nullptr);
}

TEST(TDIB, FormStorageLongerThanTheStreamIsReadErrorAndKeepsImage) {
  TDIB dib;
  Load(dib, BuildBmp(ValidLayout(2, 2, 8)));
  const auto before = dib.Image();
  TMemoryStream stored;
  const std::uint8_t huge[] = {0xFF, 0xFF, 0xFF, 0x7F, 'B', 'M'};
  stored.WriteBuffer(huge, sizeof huge);
  stored.SetPosition(0);
  EXPECT_EQ(MessageOf<EFileError>([&] { dib.ReadData(stored); }), "Stream read error");
  EXPECT_EQ(dib.Image(), before);
}

TEST(TDIBImage, BlockShorterThanItsHeaderSaysIsRefused) {
  auto layout = ValidLayout(4, 4, 8);
  layout.FileHeader = false;
  auto block = BuildBmp(layout);
  block.pop_back();
  EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { TDIBImage image(block); }), "Invalid bitmap");
  EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { TDIBImage image(std::vector<std::uint8_t>(39)); }), "Invalid bitmap");
}

TEST(TDIBImage, GivesRowsTopDownAndPixelOffset) {
  auto layout = ValidLayout(4, 3, 8, 2);
  layout.FileHeader = false;
  const TDIBImage image(BuildBmp(layout));
  EXPECT_EQ(image.PixelOffset(), 40u + 8u);
  EXPECT_EQ(image.Size(), 40u + 8u + 12u);
  EXPECT_EQ(image.Row(0), image.Pixels() + 8);  // the top row is stored last
  EXPECT_EQ(image.Row(2), image.Pixels());
  EXPECT_EQ(image.ColourEntry(1).Green, 254);
  EXPECT_EQ(image.ColourEntry(2), TPaletteEntry{});
}

}  // namespace
}  // namespace quill
