// libFuzzer entry point for the JPEG picture decoder. Not part of the default
// build; with clang, for example:
//   clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -I. fuzz/jpeg_fuzz.cpp \
//     quill/imaging/JpegImage.cpp quill/imaging/ImageLimits.cpp quill/imaging/FileBytes.cpp \
//     quill/imaging/Bitmap32.cpp <the rest of quill/imaging> -ljpeg -lgif -o jpeg_fuzz
// Every input must either load or raise one of the program's exceptions, and a
// loaded picture must hold exactly Width x Height pixels.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/Errors.h"
#include "quill/imaging/JpegImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quill::TJPEGImage image;
  try {
    image.LoadFromStream(data, size);
  } catch (const quill::Exception&) {
    return 0;
  }
  if (image.Rgb().size() != std::size_t(image.Width()) * std::size_t(image.Height()) * 3) std::abort();
  quill::TBitmap32 bitmap;
  bitmap.CopyFrom(image);
  return 0;
}
