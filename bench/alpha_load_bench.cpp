// Times loading a 12-megapixel PNG and WebP picture with LoadPicture (file
// read, decode into the bitmap, translucency check) against the library's own
// decode of the same file to BGRA (file read, a fresh output buffer, then
// libpng's simplified reader or WebPDecodeBGRAInto). The pictures are the tests' photo-like picture at 4000 x
// 3000 with an alpha ramp, written once into a scratch folder. Prints one line
// per case: ours, the library's, and the ratio.
//
//   alpha_load_bench [--runs N]
#include <png.h>
#include <webp/decode.h>
#include <webp/encode.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/Timing.h"
#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/FileBytes.h"
#include "tests/imaging/test_picture.h"

namespace {

constexpr int kWidth = 4000, kHeight = 3000;

void MakePicture(quill::TBitmap32& picture) {
  quill::test::MakeTestPicture(picture, kWidth, kHeight);
  // Alpha falls from opaque at the top to 64 at the bottom.
  for (int y = 0; y < kHeight; ++y) {
    const quill::TColor32 alpha = quill::TColor32(255 - 191 * y / (kHeight - 1)) << 24;
    quill::TColor32* row = picture.ScanLine(y);
    for (int x = 0; x < kWidth; ++x) row[x] = (row[x] & 0x00FFFFFFu) | alpha;
  }
}

void WritePng(const quill::TBitmap32& picture, const std::string& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = kWidth;
  image.height = kHeight;
  image.format = PNG_FORMAT_BGRA;
  if (!png_image_write_to_file(&image, path.c_str(), 0, picture.Bits(), 0, nullptr)) std::exit(1);
}

void WriteWebp(const quill::TBitmap32& picture, const std::string& path) {
  std::uint8_t* out = nullptr;
  const std::size_t size =
      WebPEncodeBGRA(reinterpret_cast<const std::uint8_t*>(picture.Bits()), kWidth, kHeight, kWidth * 4, 80.0f, &out);
  if (size == 0) std::exit(1);
  quill::WriteFileBytes(path, std::vector<std::uint8_t>(out, out + size));
  WebPFree(out);
}

double Ours(const std::string& path, int runs) {
  return quill::bench::BestMilliseconds(runs, [&] {
    quill::TBitmap32 bitmap;
    const double start = quill::bench::ProcessorSeconds();
    bitmap.LoadPicture(path);
    return start;
  });
}

double LibraryPng(const std::string& path, int runs) {
  return quill::bench::BestMilliseconds(runs, [&] {
    const double start = quill::bench::ProcessorSeconds();
    const std::vector<std::uint8_t> bytes = quill::ReadFileBytes(path);
    std::vector<std::uint8_t> pixels(std::size_t(kWidth) * kHeight * 4);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) std::exit(1);
    image.format = PNG_FORMAT_BGRA;
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) std::exit(1);
    return start;
  });
}

double LibraryWebp(const std::string& path, int runs) {
  return quill::bench::BestMilliseconds(runs, [&] {
    const double start = quill::bench::ProcessorSeconds();
    const std::vector<std::uint8_t> bytes = quill::ReadFileBytes(path);
    std::vector<std::uint8_t> pixels(std::size_t(kWidth) * kHeight * 4);
    if (!WebPDecodeBGRAInto(bytes.data(), bytes.size(), pixels.data(), pixels.size(), kWidth * 4)) std::exit(1);
    return start;
  });
}

void Report(const char* name, double ours, double library) {
  std::printf("%-28s ours %9.1f ms   library %9.1f ms   ratio %.2fx\n", name, ours, library, ours / library);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 5;
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--runs") == 0) runs = std::atoi(argv[i + 1]);
  const auto folder = std::filesystem::temp_directory_path() / "quill-alpha-bench";
  std::filesystem::create_directories(folder);
  const std::string png = (folder / "picture.png").string(), webp = (folder / "picture.webp").string();
  {
    quill::TBitmap32 picture;
    MakePicture(picture);
    WritePng(picture, png);
    WriteWebp(picture, webp);
  }
  Report("PNG 4000x3000 RGBA", Ours(png, runs), LibraryPng(png, runs));
  Report("WebP 4000x3000 lossy+alpha", Ours(webp, runs), LibraryWebp(webp, runs));
  std::filesystem::remove_all(folder);
  return 0;
}
