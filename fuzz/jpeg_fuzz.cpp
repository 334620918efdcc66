// libFuzzer entry point for the JPEG picture decoder.
// Every input must either load or raise one of the program's exceptions, and a
// loaded picture must hold exactly Width x Height pixels. The decode straight
// into a 32-bit bitmap must agree with it: the same inputs load, and to the
// same pixels.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "fuzz/FuzzOutcome.h"
#include "quill/base/Errors.h"
#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/JpegImage.h"

namespace {

// Drawing a decoded picture touches every pixel; it is kept to small pictures
// so that the fuzzer spends its time in the decoder.
constexpr long long kMaxCheckedPixels = 1 << 16;

}  // namespace

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
    return quill::fuzzoutcome::State(quill::fuzzoutcome::TOutcome::Refused);
  }
  if (!directLoaded) std::abort();
  quill::fuzzoutcome::State(quill::fuzzoutcome::TOutcome::Loads);
  if (image.Rgb().size() != std::size_t(image.Width()) * std::size_t(image.Height()) * 3) std::abort();
  if (static_cast<long long>(image.Width()) * image.Height() > kMaxCheckedPixels) return 0;
  quill::TBitmap32 bitmap;
  bitmap.CopyFrom(image);
  if (direct.Width() != bitmap.Width() || direct.Height() != bitmap.Height()) std::abort();
  if (!bitmap.Empty() &&
      std::memcmp(direct.Bits(), bitmap.Bits(), std::size_t(bitmap.Width()) * std::size_t(bitmap.Height()) * 4) != 0)
    std::abort();
  return 0;
}
