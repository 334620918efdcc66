// Whole-image results of the resampling code on the test picture, compared with
// recorded FNV-1a hashes in tests/data/golden/resample.txt. After a deliberate
// change of output, regenerate the file with
//   QUILL_UPDATE_GOLDEN=1 build/<dir>/tests/imaging_tests --gtest_filter='ResampleGolden.*'
// and review the diff of the hashes in the commit.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/StretchDraw.h"
#include "quill/imaging/Transformation.h"
#include "tests/imaging/test_picture.h"

namespace quill {
namespace {

constexpr TColor32 kBackground = 0xFF204060u;
const char* const kGoldenFile = QUILL_TEST_DATA "/golden/resample.txt";

struct GoldenCase {
  std::string name;
  std::function<void(TBitmap32&)> render;
};

const char* FilterName(TStretchFilter f) {
  switch (f) {
    case sfNearest:
      return "nearest";
    case sfLinear:
      return "linear";
    case sfLinear2:
      return "linear2";
    case sfSpline:
      return "spline";
  }
  return "?";
}

void RenderTransform(TBitmap32& dst, TStretchFilter filter, float scale) {
  TBitmap32 src;
  test::MakeTestPicture(src);
  src.SetStretchFilter(filter);
  TAffineTransformation t;
  t.SetSourceRect(TFloatRect{0, 0, float(src.Width() - 1), float(src.Height() - 1)});
  t.Clear();
  t.ApplyScale(scale, scale);
  const TRect bounds = t.TransformedBounds();
  // One spare column and row show which pixels the transformation leaves alone.
  dst.ChangeSize(bounds.Right + 2, bounds.Bottom + 2);
  dst.FillAll(kBackground);
  TransformBitmap(dst, src, t);
}

void RenderStretch(TBitmap32& dst, TStretchFilter filter, int width, int height, TRect dstRect, TRect srcRect) {
  TBitmap32 src;
  test::MakeTestPicture(src);
  src.SetStretchFilter(filter);
  if (srcRect.Right == 0) srcRect = TRect{0, 0, src.Width(), src.Height()};
  dst.ChangeSize(width, height);
  dst.FillAll(kBackground);
  dst.DrawRect(dstRect, srcRect, src);
}

std::vector<GoldenCase> Cases() {
  std::vector<GoldenCase> cases;
  const std::pair<const char*, float> scales[] = {{"0.37", 0.37f}, {"1", 1.0f}, {"2.5", 2.5f}};
  for (const TStretchFilter f : {sfNearest, sfLinear, sfLinear2, sfSpline}) {
    for (const auto& s : scales)
      cases.push_back({std::string("transform_") + FilterName(f) + "_" + s.first,
                       [f, s](TBitmap32& dst) { RenderTransform(dst, f, s.second); }});
    const std::pair<int, int> sizes[] = {{160, 121}, {41, 29}, {200, 30}};
    for (const auto& size : sizes)
      cases.push_back({std::string("stretch_") + FilterName(f) + "_" + std::to_string(size.first) + "x" +
                           std::to_string(size.second),
                       [f, size](TBitmap32& dst) {
                         RenderStretch(dst, f, size.first, size.second, TRect{0, 0, size.first, size.second}, {});
                       }});
    // Part of the source into a destination rectangle that overhangs the bitmap.
    cases.push_back({std::string("stretch_") + FilterName(f) + "_clipped", [f](TBitmap32& dst) {
                       RenderStretch(dst, f, 120, 70, TRect{-7, -5, 150, 90}, TRect{5, 4, 90, 70});
                     }});
  }
  return cases;
}

std::map<std::string, std::string> ReadGolden() {
  std::map<std::string, std::string> golden;
  std::ifstream in(kGoldenFile);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string name, value;
    fields >> name >> value;
    golden[name] = value;
  }
  return golden;
}

std::string Fingerprint(const TBitmap32& b) {
  char hash[17];
  std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(test::PixelHash(b)));
  return std::to_string(b.Width()) + "x" + std::to_string(b.Height()) + ":" + hash;
}

TEST(ResampleGolden, MatchesRecordedHashes) {
  const char* update = std::getenv("QUILL_UPDATE_GOLDEN");
  const bool updating = update && std::string(update) == "1";
  const auto golden = ReadGolden();
  if (!updating) {
    ASSERT_FALSE(golden.empty()) << "no golden hashes in " << kGoldenFile;
  }
  std::ostringstream out;
  out << "# Resampling results on the 97 x 73 test picture: name, then width x height : FNV-1a 64\n"
         "# of the pixels. Regenerate with QUILL_UPDATE_GOLDEN=1 (see resample_golden_test.cpp).\n";
  for (const GoldenCase& c : Cases()) {
    TBitmap32 result;
    c.render(result);
    const std::string fingerprint = Fingerprint(result);
    out << c.name << " " << fingerprint << "\n";
    if (updating) continue;
    const auto it = golden.find(c.name);
    if (it == golden.end()) {
      ADD_FAILURE() << c.name << " has no recorded hash";
    } else {
      EXPECT_EQ(fingerprint, it->second) << c.name;
    }
  }
  if (updating) {
    std::ofstream file(kGoldenFile, std::ios::trunc);
    file << out.str();
    ASSERT_TRUE(file.good()) << "cannot write " << kGoldenFile;
  }
}

TEST(ResampleGolden, TransformBitmapTreatsEveryFilterButNearestAlike) {
  for (const float scale : {0.37f, 1.0f, 2.5f}) {
    TBitmap32 linear, linear2, spline, nearest;
    RenderTransform(linear, sfLinear, scale);
    RenderTransform(linear2, sfLinear2, scale);
    RenderTransform(spline, sfSpline, scale);
    RenderTransform(nearest, sfNearest, scale);
    EXPECT_EQ(test::PixelHash(linear), test::PixelHash(linear2)) << scale;
    EXPECT_EQ(test::PixelHash(linear), test::PixelHash(spline)) << scale;
    EXPECT_NE(test::PixelHash(linear), test::PixelHash(nearest)) << scale;
  }
}

}  // namespace
}  // namespace quill
