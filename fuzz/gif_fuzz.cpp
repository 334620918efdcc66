// libFuzzer entry point for the GIF picture decoder. Not part of the default
// build; with clang, for example:
//   clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -I. fuzz/gif_fuzz.cpp \
//     quill/imaging/GifImage.cpp quill/imaging/ImageLimits.cpp quill/imaging/FileBytes.cpp \
//     quill/imaging/Bitmap32.cpp <the rest of quill/imaging> -ljpeg -lgif -o gif_fuzz
// Every input must either load or raise one of the program's exceptions; a
// loaded picture holds exactly Width x Height pixels, each either 0 or opaque.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/Errors.h"
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
