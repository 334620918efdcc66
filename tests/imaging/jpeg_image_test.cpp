#include "quill/imaging/JpegImage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "quill/base/Errors.h"
#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/FileBytes.h"
#include "quill/imaging/ImageLimits.h"

namespace quill {
namespace {

std::string SamplePath(const std::string& name) { return std::string(QUILL_TEST_DATA) + "/" + name; }
std::vector<std::uint8_t> Sample(const std::string& name) { return ReadFileBytes(SamplePath(name)); }

struct Rgb {
  int r, g, b;
};

Rgb PixelAt(const TJPEGImage& image, int x, int y) {
  const std::uint8_t* p = image.Rgb().data() + (std::size_t(y) * image.Width() + x) * 3;
  return {p[0], p[1], p[2]};
}

std::size_t FindMarker(const std::vector<std::uint8_t>& data, std::uint8_t marker) {
  for (std::size_t i = 0; i + 1 < data.size(); ++i)
    if (data[i] == 0xFF && data[i + 1] == marker) return i;
  ADD_FAILURE() << "marker not found";
  return 0;
}

// Rewrites the frame header's height and width (big-endian, after the
// precision byte of the SOF0 segment).
std::vector<std::uint8_t> WithFrameSize(std::vector<std::uint8_t> data, int width, int height) {
  const std::size_t sof = FindMarker(data, 0xC0);
  data[sof + 5] = std::uint8_t(height >> 8);
  data[sof + 6] = std::uint8_t(height);
  data[sof + 7] = std::uint8_t(width >> 8);
  data[sof + 8] = std::uint8_t(width);
  return data;
}

// The samples are 32 x 24 in four flat quadrants (see tests/data/make_samples.py).
struct QuadrantCase {
  const char* file;
  Rgb expected[4];  // top left, top right, bottom left, bottom right
};

// CMYK inks (0,200,200,0), (200,0,150,30), (180,140,0,10), (0,0,0,60) through
// (255 - ink) * (255 - K) / 255.
const QuadrantCase kQuadrantCases[] = {
    {"colour.jpg", {{200, 40, 40}, {40, 160, 60}, {50, 70, 210}, {230, 230, 230}}},
    {"progressive.jpg", {{200, 40, 40}, {40, 160, 60}, {50, 70, 210}, {230, 230, 230}}},
    {"cmyk.jpg", {{255, 55, 55}, {48, 225, 92}, {72, 110, 245}, {195, 195, 195}}},
    {"gray.jpg", {{85, 85, 85}, {255, 255, 255}, {85, 85, 85}, {255, 255, 255}}},
};

TEST(JPEGImage, SamplesDecodeToTheirSourceColours) {
  constexpr int kTolerance = 6;  // lossy coding at quality 90
  const int centres[4][2] = {{8, 6}, {24, 6}, {8, 18}, {24, 18}};
  for (const QuadrantCase& c : kQuadrantCases) {
    SCOPED_TRACE(c.file);
    TJPEGImage image;
    image.LoadFromFile(SamplePath(c.file));
    ASSERT_EQ(image.Width(), 32);
    ASSERT_EQ(image.Height(), 24);
    ASSERT_EQ(image.Rgb().size(), 32u * 24u * 3u);
    for (int q = 0; q < 4; ++q) {
      const Rgb got = PixelAt(image, centres[q][0], centres[q][1]);
      EXPECT_NEAR(got.r, c.expected[q].r, kTolerance) << "quadrant " << q;
      EXPECT_NEAR(got.g, c.expected[q].g, kTolerance) << "quadrant " << q;
      EXPECT_NEAR(got.b, c.expected[q].b, kTolerance) << "quadrant " << q;
    }
  }
}

TEST(JPEGImage, DecodingIsExactAndRepeatable) {
  // Values of the library's default decode (integer DCT, fancy upsampling,
  // block smoothing), recorded once; any change of settings moves them.
  struct Probe {
    const char* file;
    int x, y;
    Rgb rgb;
  };
  // colour.jpg and progressive.jpg agree with what an independent program
  // decodes with the same library defaults.
  const Probe probes[] = {
      {"colour.jpg", 0, 0, {200, 40, 40}},
      {"colour.jpg", 15, 11, {132, 67, 73}},
      {"colour.jpg", 16, 12, {219, 233, 242}},
      {"colour.jpg", 31, 23, {230, 230, 230}},
      {"progressive.jpg", 15, 11, {132, 67, 73}},
      {"progressive.jpg", 8, 6, {202, 39, 40}},
      {"cmyk.jpg", 15, 11, {255, 55, 56}},
      {"cmyk.jpg", 16, 12, {193, 194, 194}},
      {"gray.jpg", 7, 0, {0, 0, 0}},
      {"gray.jpg", 16, 12, {170, 170, 170}},
  };
  for (const Probe& p : probes) {
    TJPEGImage image;
    image.LoadFromFile(SamplePath(p.file));
    const Rgb got = PixelAt(image, p.x, p.y);
    EXPECT_EQ(got.r, p.rgb.r) << p.file << " (" << p.x << "," << p.y << ")";
    EXPECT_EQ(got.g, p.rgb.g) << p.file << " (" << p.x << "," << p.y << ")";
    EXPECT_EQ(got.b, p.rgb.b) << p.file << " (" << p.x << "," << p.y << ")";
  }
}

TEST(JPEGImage, GrayscaleComesOutAsEqualChannels) {
  TJPEGImage image;
  image.LoadFromFile(SamplePath("gray.jpg"));
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) {
      const Rgb p = PixelAt(image, x, y);
      ASSERT_TRUE(p.r == p.g && p.g == p.b) << x << "," << y;
    }
}

TEST(JPEGImage, FileWithoutEndMarkerStillDecodes) {
  std::vector<std::uint8_t> data = Sample("colour.jpg");
  TJPEGImage whole;
  whole.LoadFromStream(data.data(), data.size());
  ASSERT_EQ(data[data.size() - 2], 0xFF);
  ASSERT_EQ(data[data.size() - 1], 0xD9);
  data.resize(data.size() - 2);
  TJPEGImage cut;
  cut.LoadFromStream(data.data(), data.size());
  EXPECT_EQ(cut.Rgb(), whole.Rgb());
}

TEST(JPEGImage, CopyIntoBitmapGivesOpaquePixels) {
  TJPEGImage image;
  image.LoadFromFile(SamplePath("colour.jpg"));
  TBitmap32 bitmap;
  bitmap.CopyFrom(image);
  ASSERT_EQ(bitmap.Width(), 32);
  ASSERT_EQ(bitmap.Height(), 24);
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 32; ++x) {
      const Rgb p = PixelAt(image, x, y);
      ASSERT_EQ(bitmap.GetPixelUnchecked(x, y), MakeColour32(p.r, p.g, p.b)) << x << "," << y;
    }
}

TEST(JPEGImage, DrawOntoASmallerBitmapStaysInside) {
  TJPEGImage image;
  image.LoadFromFile(SamplePath("colour.jpg"));
  TBitmap32 bitmap;
  bitmap.ChangeSize(3, 2);
  image.DrawOnto(bitmap);
  const Rgb p = PixelAt(image, 2, 1);
  EXPECT_EQ(bitmap.GetPixelUnchecked(2, 1), MakeColour32(p.r, p.g, p.b));
}

// A progressive file whose last scan is repeated until the scan count is absurd.
std::vector<std::uint8_t> WithManyScans() {
  std::vector<std::uint8_t> data = Sample("progressive.jpg");
  std::size_t lastScan = 0;
  for (std::size_t i = 0; i + 1 < data.size(); ++i)
    if (data[i] == 0xFF && data[i + 1] == 0xDA) lastScan = i;
  const std::vector<std::uint8_t> scan(data.begin() + std::ptrdiff_t(lastScan), data.end() - 2);
  data.resize(data.size() - 2);
  for (int i = 0; i < 600; ++i) data.insert(data.end(), scan.begin(), scan.end());
  data.push_back(0xFF);
  data.push_back(0xD9);
  return data;
}

struct BadCase {
  const char* name;
  std::vector<std::uint8_t> data;
  const char* message;
};

std::vector<BadCase> BadCases() {
  const std::vector<std::uint8_t> colour = Sample("colour.jpg");
  const std::vector<std::uint8_t> progressive = Sample("progressive.jpg");
  std::vector<std::uint8_t> twelveBit = colour;
  twelveBit[FindMarker(twelveBit, 0xC0) + 4] = 12;
  std::vector<std::uint8_t> badHuffmanTable = colour;
  badHuffmanTable[FindMarker(badHuffmanTable, 0xC4) + 4] = 0x5F;  // class 5, slot 15
  return {
      {"empty", {}, "JPEG error: not a JPEG file"},
      {"gif bytes", Sample("transparent.gif"), "JPEG error: not a JPEG file"},
      {"only start marker", {0xFF, 0xD8}, "JPEG error: premature end of data"},
      {"cut in tables", {colour.begin(), colour.begin() + 100}, "JPEG error: premature end of data"},
      {"cut in scan", Sample("corrupt.jpg"), "JPEG error: premature end of data"},
      {"progressive cut in scan",
       {progressive.begin(), progressive.begin() + std::ptrdiff_t(FindMarker(progressive, 0xDA) + 40)},
       "JPEG error: premature end of data"},
      {"bad Huffman table", badHuffmanTable, "JPEG error: corrupt data"},
      {"zero width", WithFrameSize(colour, 0, 24), "JPEG error: corrupt data"},
      {"twelve-bit samples", twelveBit, "JPEG error: unsupported JPEG format"},
      {"too many scans", WithManyScans(), "JPEG error: too many scans"},
      {"40000 x 40000", WithFrameSize(colour, 40000, 40000), kPictureTooLarge},
      {"side over 32767", WithFrameSize(colour, 32768, 1), kPictureTooLarge},
      {"over 40 million pixels", WithFrameSize(colour, 8000, 5001), kPictureTooLarge},
  };
}

TEST(JPEGImage, BadFilesRaiseInvalidGraphicAndLeaveTheImageUnchanged) {
  for (const BadCase& c : BadCases()) {
    SCOPED_TRACE(c.name);
    TJPEGImage image;
    image.LoadFromFile(SamplePath("gray.jpg"));
    const std::vector<std::uint8_t> before = image.Rgb();
    try {
      image.LoadFromStream(c.data.data(), c.data.size());
      ADD_FAILURE() << "no exception";
    } catch (const EInvalidGraphic& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
    EXPECT_EQ(image.Width(), 32);
    EXPECT_EQ(image.Height(), 24);
    EXPECT_EQ(image.Rgb(), before);
  }
}

TEST(JPEGImage, PicturesJustInsideTheCapPassTheSizeCheck) {
  // 32767 x 1 is allowed: the decode then fails on the sample's data, not on size.
  const std::vector<std::uint8_t> data = WithFrameSize(Sample("colour.jpg"), 32767, 1);
  TJPEGImage image;
  try {
    image.LoadFromStream(data.data(), data.size());
  } catch (const EInvalidGraphic& e) {
    EXPECT_STRNE(e.what(), kPictureTooLarge);
  }
}

TEST(JPEGImage, MissingFileRaisesFileError) {
  TJPEGImage image;
  EXPECT_THROW(image.LoadFromFile(SamplePath("no-such-file.jpg")), EFileError);
  EXPECT_EQ(image.Width(), 0);
}

}  // namespace
}  // namespace quill
