// PNG and WebP pictures through LoadPicture, against the pixels that
// tests/data/make_png_samples.py put in (or, for lossy and animated WebP,
// what PIL decodes), and the damaged files that must be refused.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "quill/base/Errors.h"
#include "quill/imaging/Bitmap32.h"

namespace quill {
namespace {

const std::string kFolder = std::string(QUILL_TEST_DATA) + "/png/";

std::vector<std::string> Lines(const std::string& name) {
  std::ifstream in(kFolder + name);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);)
    if (!line.empty()) lines.push_back(line);
  return lines;
}

// Every colour type and depth, palette and key transparency, Adam7; WebP
// lossless, lossy, with alpha and animated. 16-bit samples are scaled
// (round(v x 255 / 65535)): dropping the low byte fails the 16-bit rows.
TEST(AlphaPictures, DecodeToTheSamplesPixelsWithTheirAlpha) {
  const auto lines = Lines("expected.txt");
  ASSERT_EQ(lines.size(), 31u);
  for (const std::string& line : lines) {
    std::istringstream fields(line);
    std::string name;
    int width = 0, height = 0, translucent = 0;
    fields >> name >> width >> height >> translucent;
    SCOPED_TRACE(name);
    std::vector<TColor32> expected;
    for (std::string hex; fields >> hex;) expected.push_back(TColor32(std::stoul(hex, nullptr, 16)));
    TBitmap32 bitmap;
    bitmap.SetDrawMode(translucent ? dmOpaque : dmBlend);  // the load must set it
    bitmap.LoadPicture(kFolder + name);
    ASSERT_EQ(bitmap.Width(), width);
    ASSERT_EQ(bitmap.Height(), height);
    EXPECT_EQ(std::vector<TColor32>(bitmap.Bits(), bitmap.Bits() + width * height), expected);
    EXPECT_EQ(bitmap.DrawMode(), translucent ? dmBlend : dmOpaque);
    // The kinds without transparency come in opaque again.
    if (translucent) {
      bitmap.LoadPicture(std::string(QUILL_TEST_DATA) + "/colour.jpg");
      EXPECT_EQ(bitmap.DrawMode(), dmOpaque);
    }
  }
}

TEST(AlphaPictures, DamagedFilesAreRefusedAndChangeNothing) {
  const auto lines = Lines("bad.txt");
  ASSERT_EQ(lines.size(), 10u);
  for (const std::string& line : lines) {
    const std::string name = line.substr(0, line.find(' '));
    const std::string message = line.substr(line.find(' ') + 1);
    SCOPED_TRACE(name);
    TBitmap32 bitmap;
    bitmap.ChangeSize(3, 2);
    bitmap.FillAll(0xFF123456u);
    try {
      bitmap.LoadPicture(kFolder + name);
      ADD_FAILURE() << "loaded";
    } catch (const EInvalidGraphic& e) {
      EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << e.what();
    }
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(bitmap.GetPixelUnchecked(2, 1), 0xFF123456u);
  }
}

}  // namespace
}  // namespace quill
