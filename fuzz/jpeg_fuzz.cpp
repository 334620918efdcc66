// libFuzzer entry point for the JPEG picture decoder.
// Every input must either load or raise one of the program's exceptions, and a
// loaded picture must hold exactly Width x Height pixels.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/Errors.h"
#include "quill/imaging/JpegImage.h"

namespace {

// Drawing a decoded picture touches every pixel; it is kept to small pictures
// so that the fuzzer spends its time in the decoder.
constexpr long long kMaxCheckedPixels = 1 << 16;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quill::TJPEGImage image;
  try {
    image.LoadFromStream(data, size);
  } catch (const quill::Exception&) {
    return 0;
  }
  if (image.Rgb().size() != std::size_t(image.Width()) * std::size_t(image.Height()) * 3) std::abort();
  if (static_cast<long long>(image.Width()) * image.Height() > kMaxCheckedPixels) return 0;
  quill::TBitmap32 bitmap;
  bitmap.CopyFrom(image);
  return 0;
}
