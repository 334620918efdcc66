// The JPEG decode straight into a 32-bit bitmap against the decode to RGB
// followed by the bitmap's copy of the graphic.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/FileBytes.h"
#include "quill/imaging/JpegImage.h"
#include "quill/imaging/PixelBlocks.h"

namespace quill {
namespace {

std::vector<std::uint8_t> JpegSample(const std::string& name) {
  return ReadFileBytes(std::string(QUILL_TEST_DATA) + "/" + name);
}

TEST(LoadJpegBitmap32, SamePixelsAsTheGraphicCopy) {
  // gradient.jpg is large enough for its later rows to be made ready on
  // another thread while the first ones are decoded.
  for (const char* name : {"colour.jpg", "gray.jpg", "cmyk.jpg", "progressive.jpg", "gradient.jpg"}) {
    const std::vector<std::uint8_t> bytes = JpegSample(name);
    TJPEGImage image;
    image.LoadFromStream(bytes.data(), bytes.size());
    TBitmap32 want, got;
    want.CopyFrom(image);
    got.SetStretchFilter(sfSpline);
    pixelblocks::ReleaseKept();  // a fresh block, as a program's first picture has
    LoadJpegBitmap32(got, bytes.data(), bytes.size());
    ASSERT_EQ(got.Width(), want.Width()) << name;
    ASSERT_EQ(got.Height(), want.Height()) << name;
    EXPECT_EQ(0, std::memcmp(got.Bits(), want.Bits(), std::size_t(got.Width()) * got.Height() * 4)) << name;
    EXPECT_EQ(got.StretchFilter(), sfSpline) << "the bitmap's settings stay";
  }
}

TEST(LoadJpegBitmap32, FailureLeavesTheBitmap) {
  std::vector<std::uint8_t> truncated = JpegSample("colour.jpg");
  truncated.resize(truncated.size() / 2);
  for (const std::vector<std::uint8_t>& bytes : {JpegSample("corrupt.jpg"), truncated}) {
    TBitmap32 bitmap;
    bitmap.ChangeSize(3, 2);
    bitmap.FillAll(0xFF123456u);
    EXPECT_ANY_THROW(LoadJpegBitmap32(bitmap, bytes.data(), bytes.size()));
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(bitmap.GetPixelUnchecked(2, 1), 0xFF123456u);
  }
}

}  // namespace
}  // namespace quill
