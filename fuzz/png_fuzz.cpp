// libFuzzer entry point for the PNG picture decoder. Every input must either
// load or raise one of the program's exceptions; a loaded picture must keep
// the rules of fuzz/alpha_image_checks.h.
#include <cstddef>
#include <cstdint>

#include "fuzz/alpha_image_checks.h"
#include "quill/base/Errors.h"
#include "quill/imaging/PngImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quill::TPNGImage image;
  try {
    image.LoadFromStream(data, size);
  } catch (const quill::Exception&) {
    return 0;
  }
  quill::fuzzcheck::CheckAlphaImage(image);
  return 0;
}
