#include "quill/imaging/GifImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "quill/base/Errors.h"
#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/FileBytes.h"
#include "quill/imaging/ImageLimits.h"

namespace quill {
namespace {

std::string SamplePath(const std::string& name) { return std::string(QUILL_TEST_DATA) + "/" + name; }

// Writes GIF files field by field, with image data of literal LZW codes only
// (9-bit codes, a clear code every 100 pixels), as tests/data/make_samples.py does.
class GifWriter {
 public:
  GifWriter() = default;
  explicit GifWriter(std::vector<std::uint8_t> start) : bytes_(std::move(start)) {}
  GifWriter& Header(int screenWidth, int screenHeight, const std::vector<TColor32>& globalColours) {
    Put("GIF89a");
    Word(screenWidth);
    Word(screenHeight);
    const int field = TableField(globalColours);
    bytes_.push_back(std::uint8_t(globalColours.empty() ? 0 : 0xF0 | field));
    bytes_.push_back(0);
    bytes_.push_back(0);
    Table(globalColours, field);
    return *this;
  }
  GifWriter& Transparency(int index) {
    bytes_.insert(bytes_.end(), {0x21, 0xF9, 4, 1, 0, 0, std::uint8_t(index), 0});
    return *this;
  }
  GifWriter& Comment(const std::string& text) {
    bytes_.insert(bytes_.end(), {0x21, 0xFE, std::uint8_t(text.size())});
    Put(text);
    bytes_.push_back(0);
    return *this;
  }
  GifWriter& ImageDescriptor(int left, int top, int width, int height, bool interlaced = false,
                             const std::vector<TColor32>& localColours = {}) {
    bytes_.push_back(0x2C);
    Word(left);
    Word(top);
    Word(width);
    Word(height);
    const int field = TableField(localColours);
    bytes_.push_back(std::uint8_t((interlaced ? 0x40 : 0) | (localColours.empty() ? 0 : 0x80 | field)));
    Table(localColours, field);
    return *this;
  }
  // Pixels in file order.
  GifWriter& ImageData(const std::vector<std::uint8_t>& indices) {
    std::vector<int> codes = {kClear};
    for (std::size_t i = 0; i < indices.size(); ++i) {
      if (i && i % 100 == 0) codes.push_back(kClear);
      codes.push_back(indices[i]);
    }
    codes.push_back(kEnd);
    std::vector<std::uint8_t> packed;
    std::uint32_t bits = 0;
    int count = 0;
    for (int code : codes) {
      bits |= std::uint32_t(code) << count;
      for (count += 9; count >= 8; count -= 8, bits >>= 8) packed.push_back(std::uint8_t(bits));
    }
    if (count) packed.push_back(std::uint8_t(bits));
    bytes_.push_back(8);
    for (std::size_t i = 0; i < packed.size(); i += 255) {
      const std::size_t n = std::min<std::size_t>(255, packed.size() - i);
      bytes_.push_back(std::uint8_t(n));
      bytes_.insert(bytes_.end(), packed.begin() + std::ptrdiff_t(i), packed.begin() + std::ptrdiff_t(i + n));
    }
    bytes_.push_back(0);
    return *this;
  }
  GifWriter& Trailer() {
    bytes_.push_back(';');
    return *this;
  }
  GifWriter& Raw(std::vector<std::uint8_t> more) {
    bytes_.insert(bytes_.end(), more.begin(), more.end());
    return *this;
  }
  std::vector<std::uint8_t> Bytes() const { return bytes_; }

 private:
  static constexpr int kClear = 256;
  static constexpr int kEnd = 257;

  static int TableField(const std::vector<TColor32>& colours) {
    int field = 0;
    while ((2u << field) < colours.size()) ++field;
    return field;
  }
  void Table(const std::vector<TColor32>& colours, int field) {
    if (colours.empty()) return;
    for (std::size_t i = 0; i < (2u << field); ++i) {
      const TColor32 c = i < colours.size() ? colours[i] : 0;
      bytes_.insert(bytes_.end(), {RedComponent(c), GreenComponent(c), BlueComponent(c)});
    }
  }
  void Put(const std::string& s) { bytes_.insert(bytes_.end(), s.begin(), s.end()); }
  void Word(int v) {
    bytes_.push_back(std::uint8_t(v));
    bytes_.push_back(std::uint8_t(v >> 8));
  }
  std::vector<std::uint8_t> bytes_;
};

const std::vector<TColor32> kFour = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu};

TGIFImage Load(const std::vector<std::uint8_t>& data) {
  TGIFImage image;
  image.LoadFromStream(data.data(), data.size());
  return image;
}

TColor32 At(const TGIFImage& image, int x, int y) { return image.Pixels()[std::size_t(y) * image.Width() + x]; }

TEST(GIFImage, TransparentPixelsStayZero) {
  TGIFImage image;
  image.LoadFromFile(SamplePath("transparent.gif"));
  ASSERT_EQ(image.Width(), 8);
  ASSERT_EQ(image.Height(), 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) {
      const int index = (x + 2 * y) % 4;
      EXPECT_EQ(At(image, x, y), index == 3 ? 0u : kFour[index]) << x << "," << y;
    }
}

TEST(GIFImage, TransparentPixelsBecomeOpaqueBlackInABitmapCopy) {
  TGIFImage image;
  image.LoadFromFile(SamplePath("transparent.gif"));
  TBitmap32 bitmap;
  bitmap.ChangeSize(8, 6);
  bitmap.FillAll(0xFF123456u);  // an old picture of the same size must not show through
  bitmap.CopyFrom(image);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) {
      const int index = (x + 2 * y) % 4;
      EXPECT_EQ(bitmap.GetPixelUnchecked(x, y), index == 3 ? kOpaqueBlack : kFour[index]) << x << "," << y;
    }
}

TEST(GIFImage, DrawOntoSkipsTransparentPixels) {
  TGIFImage image;
  image.LoadFromFile(SamplePath("transparent.gif"));
  TBitmap32 bitmap;
  bitmap.ChangeSize(8, 6);
  bitmap.FillAll(0xFF123456u);
  image.DrawOnto(bitmap);
  EXPECT_EQ(bitmap.GetPixelUnchecked(3, 0), 0xFF123456u);  // index 3
  EXPECT_EQ(bitmap.GetPixelUnchecked(0, 0), kFour[0]);
}

TEST(GIFImage, InterlacedSampleRowsAreInImageOrder) {
  TGIFImage image;
  image.LoadFromFile(SamplePath("interlaced.gif"));
  ASSERT_EQ(image.Width(), 5);
  ASSERT_EQ(image.Height(), 11);
  for (int y = 0; y < 11; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(At(image, x, y), MakeColour32(std::uint8_t(y * 20), std::uint8_t(255 - y * 20), std::uint8_t(y * 10)))
          << x << "," << y;
}

TEST(GIFImage, InterlacedRowsAreReorderedForEveryHeight) {
  std::vector<TColor32> ramp;
  for (int i = 0; i < 256; ++i) ramp.push_back(MakeColour32(std::uint8_t(i), 0, 0));
  for (int height = 1; height <= 20; ++height) {
    // Written in interlaced order: passes from rows 0, 4, 2, 1 stepping 8, 8, 4, 2.
    std::vector<std::uint8_t> fileOrder;
    const int passes[4][2] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
    for (const auto& pass : passes)
      for (int y = pass[0]; y < height; y += pass[1])
        fileOrder.insert(fileOrder.end(), {std::uint8_t(y), std::uint8_t(y)});
    const TGIFImage image = Load(GifWriter()
                                     .Header(2, height, ramp)
                                     .ImageDescriptor(0, 0, 2, height, true)
                                     .ImageData(fileOrder)
                                     .Trailer()
                                     .Bytes());
    for (int y = 0; y < height; ++y)
      ASSERT_EQ(At(image, 1, y), ramp[std::size_t(y)]) << "height " << height << " row " << y;
  }
}

TEST(GIFImage, ImageIsPlacedAtItsOffsetOnTheScreen) {
  TGIFImage image;
  image.LoadFromFile(SamplePath("offset.gif"));
  ASSERT_EQ(image.Width(), 12);
  ASSERT_EQ(image.Height(), 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x) {
      const bool inside = x >= 3 && x < 8 && y >= 2 && y < 6;
      EXPECT_EQ(At(image, x, y), inside ? kFour[(x - 3 + y - 2) % 4] : 0u) << x << "," << y;
    }
  TBitmap32 bitmap;
  bitmap.CopyFrom(image);
  EXPECT_EQ(bitmap.GetPixelUnchecked(0, 0), kOpaqueBlack);
  EXPECT_EQ(bitmap.GetPixelUnchecked(3, 2), kFour[0]);
}

TEST(GIFImage, LocalColourTableWinsOverTheGlobalOne) {
  const std::vector<TColor32> local = {0xFF0000FFu, 0xFFFFFF00u, 0xFF00FFFFu, 0xFFFF00FFu};
  TGIFImage image;
  image.LoadFromFile(SamplePath("localmap.gif"));
  ASSERT_EQ(image.Width(), 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(At(image, x, y), local[(x + y) % 4]) << x << "," << y;
}

TEST(GIFImage, PictureGrowsToHoldAnImageBeyondTheScreen) {
  struct Case {
    int screenW, screenH, left, top, w, h, expectW, expectH;
  };
  const Case cases[] = {
      {4, 4, 2, 3, 3, 2, 5, 5},    // reaches past both edges
      {0, 0, 1, 1, 3, 2, 4, 3},    // screen size left 0
      {10, 8, 0, 0, 3, 2, 10, 8},  // inside: the screen rules
  };
  for (const Case& c : cases) {
    const TGIFImage image = Load(GifWriter()
                                     .Header(c.screenW, c.screenH, kFour)
                                     .ImageDescriptor(c.left, c.top, c.w, c.h)
                                     .ImageData(std::vector<std::uint8_t>(std::size_t(c.w * c.h), 1))
                                     .Trailer()
                                     .Bytes());
    EXPECT_EQ(image.Width(), c.expectW);
    EXPECT_EQ(image.Height(), c.expectH);
    EXPECT_EQ(At(image, c.left + c.w - 1, c.top + c.h - 1), kFour[1]);
    EXPECT_EQ(At(image, c.expectW - 1, 0), 0u);  // above the image: undrawn
  }
}

TEST(GIFImage, PixelValuesBeyondTheColourTableAreBlack) {
  // A two-entry table with 8-bit codes: values 2 and 255 have no colour.
  const TGIFImage image = Load(GifWriter()
                                   .Header(4, 1, {0xFFFF0000u, 0xFF00FF00u})
                                   .ImageDescriptor(0, 0, 4, 1)
                                   .ImageData({0, 1, 2, 255})
                                   .Trailer()
                                   .Bytes());
  EXPECT_EQ(At(image, 0, 0), 0xFFFF0000u);
  EXPECT_EQ(At(image, 1, 0), 0xFF00FF00u);
  EXPECT_EQ(At(image, 2, 0), kOpaqueBlack);
  EXPECT_EQ(At(image, 3, 0), kOpaqueBlack);
}

TEST(GIFImage, TransparentIndexBeyondTheTableIsStillTransparent) {
  const TGIFImage image = Load(GifWriter()
                                   .Header(2, 1, {0xFFFF0000u, 0xFF00FF00u})
                                   .Transparency(200)
                                   .ImageDescriptor(0, 0, 2, 1)
                                   .ImageData({200, 1})
                                   .Trailer()
                                   .Bytes());
  EXPECT_EQ(At(image, 0, 0), 0u);
  EXPECT_EQ(At(image, 1, 0), 0xFF00FF00u);
}

TEST(GIFImage, OnlyTheFirstImageIsUsed) {
  const TGIFImage image = Load(GifWriter()
                                   .Header(2, 2, kFour)
                                   .Comment("first")
                                   .ImageDescriptor(0, 0, 1, 1)
                                   .ImageData({0})
                                   .Transparency(0)
                                   .ImageDescriptor(0, 0, 2, 2)
                                   .ImageData({2, 2, 2, 2})
                                   .Trailer()
                                   .Bytes());
  EXPECT_EQ(At(image, 0, 0), kFour[0]);  // the later control block does not apply
  EXPECT_EQ(At(image, 1, 1), 0u);
}

TEST(GIFImage, FileWithoutTrailerStillLoads) {
  const TGIFImage image = Load(GifWriter().Header(1, 1, kFour).ImageDescriptor(0, 0, 1, 1).ImageData({2}).Bytes());
  EXPECT_EQ(At(image, 0, 0), kFour[2]);
}

struct BadCase {
  const char* name;
  std::vector<std::uint8_t> data;
  const char* message;
};

std::vector<BadCase> BadCases() {
  const std::vector<std::uint8_t> good =
      GifWriter().Header(4, 2, kFour).ImageDescriptor(0, 0, 4, 2).ImageData({0, 1, 2, 3, 0, 1, 2, 3}).Trailer().Bytes();
  const std::vector<std::uint8_t> header = GifWriter().Header(4, 2, kFour).Bytes();
  const auto imageOnly = [](int screenW, int screenH, int left, int top, int w, int h) {
    // One pixel of data: the size checks must come before any row is read.
    return GifWriter().Header(screenW, screenH, kFour).ImageDescriptor(left, top, w, h).ImageData({0}).Bytes();
  };
  return {
      {"empty", {}, "GIF error: not a GIF file"},
      {"short signature", {'G', 'I', 'F', '8'}, "GIF error: not a GIF file"},
      {"jpeg bytes", {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0}, "GIF error: not a GIF file"},
      {"cut screen descriptor", {good.begin(), good.begin() + 9}, "GIF error: damaged screen descriptor"},
      {"cut global table", {good.begin(), good.begin() + 16}, "GIF error: damaged screen descriptor"},
      {"trailer only", GifWriter(header).Trailer().Bytes(), "GIF error: the file holds no image"},
      {"ends after header", header, "GIF error: the file holds no image"},
      {"unknown block", GifWriter(header).Raw({0x55}).Bytes(), "GIF error: damaged block structure"},
      {"cut extension", GifWriter(header).Raw({0x21, 0xFE, 10, 'a'}).Bytes(), "GIF error: damaged block structure"},
      {"cut image descriptor", GifWriter(header).Raw({0x2C, 0, 0, 0}).Bytes(), "GIF error: damaged block structure"},
      {"no colour table", GifWriter().Header(1, 1, {}).ImageDescriptor(0, 0, 1, 1).ImageData({0}).Trailer().Bytes(),
       "GIF error: no colour table"},
      {"image data cut", {good.begin(), good.end() - 6}, "GIF error: damaged image data"},
      {"header claims more pixels than the data holds", ReadFileBytes(SamplePath("corrupt.gif")),
       "GIF error: damaged image data"},
      {"image of width 0", imageOnly(4, 2, 0, 0, 0, 2), "Invalid picture dimensions"},
      {"screen 60000 x 60000", imageOnly(60000, 60000, 0, 0, 1, 1), kPictureTooLarge},
      {"image 40000 wide", imageOnly(1, 1, 0, 0, 40000, 1), kPictureTooLarge},
      {"image over 40 million pixels", imageOnly(1, 1, 0, 0, 8000, 5001), kPictureTooLarge},
      {"offset pushes past 32767", imageOnly(32767, 1, 1, 0, 32767, 1), kPictureTooLarge},
      {"offset pushes past the pixel cap", imageOnly(1, 1, 0, 5000, 8000, 1), kPictureTooLarge},
  };
}

TEST(GIFImage, BadFilesRaiseInvalidGraphicAndLeaveTheImageUnchanged) {
  for (const BadCase& c : BadCases()) {
    SCOPED_TRACE(c.name);
    TGIFImage image;
    image.LoadFromFile(SamplePath("transparent.gif"));
    const std::vector<TColor32> before = image.Pixels();
    try {
      image.LoadFromStream(c.data.data(), c.data.size());
      ADD_FAILURE() << "no exception";
    } catch (const EInvalidGraphic& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
    EXPECT_EQ(image.Width(), 8);
    EXPECT_EQ(image.Height(), 6);
    EXPECT_EQ(image.Pixels(), before);
  }
}

TEST(GIFImage, MissingFileRaisesFileError) {
  TGIFImage image;
  EXPECT_THROW(image.LoadFromFile(SamplePath("no-such-file.gif")), EFileError);
  EXPECT_EQ(image.Width(), 0);
}

}  // namespace
}  // namespace quill
