// libFuzzer entry point for the WebP picture decoder: see fuzz/alpha_image_checks.h.
#include <cstddef>
#include <cstdint>

#include "fuzz/alpha_image_checks.h"
#include "quill/imaging/WebpImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return quill::fuzzcheck::FuzzAlphaImage<quill::TWebPImage>(data, size);
}
