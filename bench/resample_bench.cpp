// Times TransformBitmap and DrawStretched on a large photo-like picture, single
// threaded, and prints one line per case: name, destination pixels, best
// processor time in ms, ns per destination pixel. With --dump PATH it also writes the source
// picture as raw BGRA bytes (width, height as two little-endian int32 first) so
// that another tool can be timed on the very same pixels.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "bench/Timing.h"
#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/StretchDraw.h"
#include "quill/imaging/Transformation.h"
#include "tests/imaging/test_picture.h"

namespace {

using quill::TBitmap32;

constexpr int kPictureWidth = 4000;  // 12 megapixels
constexpr int kPictureHeight = 3000;

// Times the whole of body (Timing.h).
double BestMilliseconds(int runs, const std::function<void()>& body) {
  return quill::bench::BestMilliseconds(runs, [&] {
    const double start = quill::bench::ProcessorSeconds();
    body();
    return start;
  });
}

void Report(const std::string& name, std::int64_t pixels, double ms) {
  std::printf("%-28s %10lld px %9.1f ms %7.2f ns/px\n", name.c_str(), static_cast<long long>(pixels), ms,
              ms * 1e6 / double(pixels));
  std::fflush(stdout);
}

void TimeTransform(TBitmap32& src, quill::TStretchFilter filter, float scale, int runs) {
  src.SetStretchFilter(filter);
  quill::TAffineTransformation t;
  t.SetSourceRect(quill::TFloatRect{0, 0, float(src.Width() - 1), float(src.Height() - 1)});
  t.ApplyScale(scale, scale);
  const quill::TRect bounds = t.TransformedBounds();
  TBitmap32 dst;
  dst.ChangeSize(bounds.Right, bounds.Bottom);
  dst.FillAll(0xFF000000u);
  const double ms = BestMilliseconds(runs, [&] { quill::TransformBitmap(dst, src, t); });
  char name[64];
  std::snprintf(name, sizeof name, "transform %s %.2f", filter == quill::sfNearest ? "nearest" : "bilinear", scale);
  Report(name, std::int64_t(dst.Width()) * dst.Height(), ms);
}

void TimeStretch(TBitmap32& src, quill::TStretchFilter filter, int width, int height, int runs) {
  static const char* const names[] = {"nearest", "linear", "linear2", "spline"};
  src.SetStretchFilter(filter);
  TBitmap32 dst;
  dst.ChangeSize(width, height);
  const double ms = BestMilliseconds(runs, [&] {
    dst.DrawRect(quill::TRect{0, 0, width, height}, quill::TRect{0, 0, src.Width(), src.Height()}, src);
  });
  Report(std::string("stretch ") + names[filter] + " " + std::to_string(width) + "x" + std::to_string(height),
         std::int64_t(width) * height, ms);
}

bool Dump(const TBitmap32& src, const char* path) {
  std::FILE* f = std::fopen(path, "wb");
  if (!f) return false;
  const std::int32_t size[2] = {src.Width(), src.Height()};
  bool ok = std::fwrite(size, sizeof size, 1, f) == 1;
  ok = ok && std::fwrite(src.Bits(), 4, std::size_t(src.Width()) * src.Height(), f) ==
                 std::size_t(src.Width()) * src.Height();
  return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
  const char* dumpPath = nullptr;
  bool quick = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--dump") == 0 && i + 1 < argc) dumpPath = argv[++i];
    if (std::strcmp(argv[i], "--quick") == 0) quick = true;
  }
  TBitmap32 src;
  quill::test::MakeTestPicture(src, kPictureWidth, kPictureHeight);
  if (dumpPath && !Dump(src, dumpPath)) {
    std::fprintf(stderr, "cannot write %s\n", dumpPath);
    return 1;
  }
  const int runs = quick ? 1 : 5;
  for (const float scale : {0.37f, 1.0f, 2.5f}) {
    TimeTransform(src, quill::sfLinear, scale, scale > 2 ? std::max(runs / 2, 1) : runs);
    TimeTransform(src, quill::sfNearest, scale, scale > 2 ? std::max(runs / 2, 1) : runs);
  }
  for (const quill::TStretchFilter filter : {quill::sfNearest, quill::sfLinear, quill::sfLinear2, quill::sfSpline}) {
    TimeStretch(src, filter, 1480, 1110, std::max(runs / 2, 1));  // reduce by 0.37
    TimeStretch(src, filter, 6000, 4500, 1);                      // enlarge by 1.5
  }
  return 0;
}
