// libFuzzer entry point for the PNG picture decoder: see fuzz/alpha_image_checks.h.
#include <cstddef>
#include <cstdint>

#include "fuzz/alpha_image_checks.h"
#include "quill/imaging/PngImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return quill::fuzzcheck::FuzzAlphaImage<quill::TPNGImage>(data, size);
}
