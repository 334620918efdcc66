// Times ReduceToPalette in every dither mode on a large photo-like picture
// reduced to the chat palette, single threaded, and prints one line per mode:
// name, pixels, best processor time in ms, ns per pixel, and the FNV-1a 64
// hash of the indices. With --dump PATH it also writes the picture as a binary
// PPM so that another tool can be timed on the very same pixels. With
// --rows-only it times just the ditherers' row loops (a fresh matcher and
// ditherer each run, indices into a plain buffer), without the result bitmap.
//
//   reduce_bench [--size WIDTHxHEIGHT] [--runs N] [--dump PATH] [--rows-only] [mode ...]
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/Timing.h"
#include "quill/imaging/Bitmap.h"
#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/ColorLookup.h"
#include "quill/imaging/DitherEngine.h"
#include "quill/imaging/ReduceToPalette.h"
#include "tests/imaging/test_picture.h"

namespace {

using quill::TBitmap;

constexpr int kPictureWidth = 4000;  // 12 megapixels
constexpr int kPictureHeight = 3000;
constexpr int kDefaultRuns = 5;

struct TMode {
  const char* name;
  quill::TPaletteDither mode;
};
const TMode kModes[] = {{"nearest", quill::pdNearest}, {"floyd-steinberg", quill::pdFloydSteinberg},
                        {"stucki", quill::pdStucki},   {"sierra", quill::pdSierra},
                        {"jajuni", quill::pdJaJuNI},   {"burkes", quill::pdBurkes}};

using quill::bench::BestMilliseconds;

TBitmap MakePicture(int width, int height) {
  quill::TBitmap32 picture;
  quill::test::MakeTestPicture(picture, width, height);
  TBitmap b;
  b.SetPixelFormat(quill::pf24bit);
  b.SetSize(width, height);
  for (int y = 0; y < height; ++y) {
    const quill::TColor32* in = picture.ScanLine(y);
    std::uint8_t* out = b.ScanLine(y);
    for (int x = 0; x < width; ++x) {
      out[3 * x + 0] = quill::BlueComponent(in[x]);
      out[3 * x + 1] = quill::GreenComponent(in[x]);
      out[3 * x + 2] = quill::RedComponent(in[x]);
    }
  }
  return b;
}

quill::TPalette LoadChatPalette() {
  std::ifstream in(std::string(QUILL_TEST_DATA) + "/chat_palette.txt");
  std::vector<quill::TPaletteEntry> entries;
  std::string line;
  while (std::getline(in, line)) {
    if (line.size() < 6) continue;
    const unsigned long v = std::stoul(line.substr(0, 6), nullptr, 16);
    entries.push_back({std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v), 0});
  }
  return quill::TPalette(std::move(entries));
}

bool DumpPpm(const TBitmap& b, const char* path) {
  std::FILE* f = std::fopen(path, "wb");
  if (!f) return false;
  bool ok = std::fprintf(f, "P6\n%d %d\n255\n", b.Width(), b.Height()) > 0;
  std::vector<std::uint8_t> rgb(std::size_t(b.Width()) * 3);
  for (int y = 0; ok && y < b.Height(); ++y) {
    const std::uint8_t* bgr = b.ScanLine(y);
    for (int x = 0; x < b.Width(); ++x) {
      rgb[3 * x + 0] = bgr[3 * x + 2];
      rgb[3 * x + 1] = bgr[3 * x + 1];
      rgb[3 * x + 2] = bgr[3 * x + 0];
    }
    ok = std::fwrite(rgb.data(), 1, rgb.size(), f) == rgb.size();
  }
  return std::fclose(f) == 0 && ok;
}

std::uint64_t IndexHash(const TBitmap& b) {
  std::uint64_t hash = 0xCBF29CE484222325ull;
  for (int y = 0; y < b.Height(); ++y) {
    const std::uint8_t* row = b.ScanLine(y);
    for (int x = 0; x < b.Width(); ++x) {
      hash ^= row[x];
      hash *= 0x100000001B3ull;
    }
  }
  return hash;
}

}  // namespace

int main(int argc, char** argv) {
  int width = kPictureWidth, height = kPictureHeight, runs = kDefaultRuns;
  const char* dumpPath = nullptr;
  bool rowsOnly = false;
  std::vector<TMode> modes;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--size" && i + 1 < argc) {
      if (std::sscanf(argv[++i], "%dx%d", &width, &height) != 2 || width < 1 || height < 1) {
        std::fprintf(stderr, "bad --size\n");
        return 2;
      }
    } else if (arg == "--runs" && i + 1 < argc) {
      runs = std::max(1, std::atoi(argv[++i]));
    } else if (arg == "--rows-only") {
      rowsOnly = true;
    } else if (arg == "--dump" && i + 1 < argc) {
      dumpPath = argv[++i];
    } else {
      const auto m = std::find_if(std::begin(kModes), std::end(kModes), [&](const TMode& t) { return arg == t.name; });
      if (m == std::end(kModes)) {
        std::fprintf(stderr, "unknown argument %s\n", arg.c_str());
        return 2;
      }
      modes.push_back(*m);
    }
  }
  if (modes.empty()) modes.assign(std::begin(kModes), std::end(kModes));

  TBitmap source = MakePicture(width, height);
  const quill::TPalette palette = LoadChatPalette();
  if (palette.EntryCount() != 256) {
    std::fprintf(stderr, "chat palette not found under %s\n", QUILL_TEST_DATA);
    return 1;
  }
  if (dumpPath != nullptr && !DumpPpm(source, dumpPath)) {
    std::fprintf(stderr, "cannot write %s\n", dumpPath);
    return 1;
  }
  const double pixels = double(width) * height;
  if (rowsOnly) {
    std::vector<std::uint8_t> indices(std::size_t(width) * height);
    for (const TMode& m : modes) {
      const double ms = BestMilliseconds(runs, [&] {
        const double start = quill::bench::ProcessorSeconds();
        quill::TFastColorLookup matcher(palette);
        const auto ditherer = quill::CreateDitherer(m.mode, width, matcher);
        for (int y = 0; y < height; ++y) {
          ditherer->DitherRow(source.ScanLine(y), indices.data() + std::size_t(y) * width);
          ditherer->EndRow();
        }
        return start;
      });
      std::printf("%-16s %10.0f px %9.1f ms %7.2f ns/px  rows only\n", m.name, pixels, ms, ms * 1e6 / pixels);
      std::fflush(stdout);
    }
    return 0;
  }
  for (const TMode& m : modes) {
    std::unique_ptr<TBitmap> result;
    const double ms = BestMilliseconds(runs, [&] {
      result.reset();  // freeing the last result is not part of the work timed
      const double start = quill::bench::ProcessorSeconds();
      result = quill::ReduceToPalette(source, palette, m.mode);
      return start;
    });
    std::printf("%-16s %10.0f px %9.1f ms %7.2f ns/px  %016llx\n", m.name, pixels, ms, ms * 1e6 / pixels,
                static_cast<unsigned long long>(IndexHash(*result)));
    std::fflush(stdout);
  }
  return 0;
}
