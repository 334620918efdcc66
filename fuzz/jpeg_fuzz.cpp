// libFuzzer entry point for the JPEG picture decoder. Not part of the default
// build. With clang, build the imaging library instrumented, then link:
//   CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DQUILL_BUILD_TESTS=OFF \
//     -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined,fuzzer-no-link"
//   ninja -C build/fuzz quill_imaging
//   clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -I. fuzz/jpeg_fuzz.cpp \
//     build/fuzz/quill/libquill_imaging.a -ljpeg -lgif -o build/fuzz/jpeg_fuzz
//   build/fuzz/jpeg_fuzz -max_len=4096 -malloc_limit_mb=1024 <corpus dir with tests/data/*.jpg>
// Every input must either load or raise one of the program's exceptions, and a
// loaded picture must hold exactly Width x Height pixels. The decode straight
// into a 32-bit bitmap must agree with it: the same inputs load, and to the
// same pixels.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/Errors.h"
#include "quill/imaging/JpegImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quill::TBitmap32 direct;
  bool directLoaded = true;
  try {
    quill::LoadJpegBitmap32(direct, data, size);
  } catch (const quill::Exception&) {
    directLoaded = false;
  }
  quill::TJPEGImage image;
  try {
    image.LoadFromStream(data, size);
  } catch (const quill::Exception&) {
    if (directLoaded) std::abort();
    return 0;
  }
  if (!directLoaded) std::abort();
  if (image.Rgb().size() != std::size_t(image.Width()) * std::size_t(image.Height()) * 3) std::abort();
  quill::TBitmap32 bitmap;
  bitmap.CopyFrom(image);
  if (direct.Width() != bitmap.Width() || direct.Height() != bitmap.Height()) std::abort();
  if (!bitmap.Empty() &&
      std::memcmp(direct.Bits(), bitmap.Bits(), std::size_t(bitmap.Width()) * std::size_t(bitmap.Height()) * 4) != 0)
    std::abort();
  return 0;
}
