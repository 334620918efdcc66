// libFuzzer entry point for the GIF picture decoder. Not part of the default
// build. With clang, build the imaging library instrumented, then link:
//   CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DQUILL_BUILD_TESTS=OFF \
//     -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined,fuzzer-no-link"
//   ninja -C build/fuzz quill_imaging
//   clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -I. fuzz/gif_fuzz.cpp \
//     build/fuzz/quill/libquill_imaging.a -ljpeg -lgif -o build/fuzz/gif_fuzz
//   build/fuzz/gif_fuzz -max_len=4096 -malloc_limit_mb=1024 <corpus dir with tests/data/*.gif>
// Every input must either load or raise one of the program's exceptions; a
// loaded picture holds exactly Width x Height pixels, each either 0 or opaque.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "quill/base/Errors.h"
#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/GifImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quill::TGIFImage image;
  try {
    image.LoadFromStream(data, size);
  } catch (const quill::Exception&) {
    return 0;
  }
  if (image.Pixels().size() != std::size_t(image.Width()) * std::size_t(image.Height())) std::abort();
  for (quill::TColor32 p : image.Pixels())
    if (p != 0 && (p >> 24) != 0xFF) std::abort();
  quill::TBitmap32 bitmap;
  bitmap.CopyFrom(image);
  return 0;
}
