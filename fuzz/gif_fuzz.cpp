// libFuzzer entry point for the GIF picture decoder.
// Every input must either load or raise one of the program's exceptions; a
// loaded picture holds exactly Width x Height pixels, each either 0 or opaque.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz/FuzzOutcome.h"
#include "quill/base/Errors.h"
#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/GifImage.h"

namespace {

// A few bytes can describe a picture of millions of pixels (a GIF image placed
// far out on its screen widens the picture); checking and drawing them all
// would spend the fuzzer's time outside the reader, so that is kept to small
// pictures.
constexpr long long kMaxCheckedPixels = 1 << 16;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quill::TGIFImage image;
  try {
    image.LoadFromStream(data, size);
  } catch (const quill::Exception&) {
    return quill::fuzzoutcome::State(quill::fuzzoutcome::TOutcome::Refused);
  }
  quill::fuzzoutcome::State(quill::fuzzoutcome::TOutcome::Loads);
  if (image.Pixels().size() != std::size_t(image.Width()) * std::size_t(image.Height())) std::abort();
  if (static_cast<long long>(image.Width()) * image.Height() > kMaxCheckedPixels) return 0;
  for (quill::TColor32 p : image.Pixels())
    if (p != 0 && (p >> 24) != 0xFF) std::abort();
  quill::TBitmap32 bitmap;
  bitmap.CopyFrom(image);
  return 0;
}
