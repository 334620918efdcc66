#pragma once
// A PNG picture decoded at full size to 32-bit pixels with its alpha: every
// colour type and bit depth, palette transparency (tRNS) as alpha, Adam7
// interlace. 16-bit samples become 8-bit through the library's scaling
// (value x 255 / 65535, rounded), not by dropping the low byte. The file's
// gamma and colour profile are left alone: the stored values are the pixels.
#include <cstdint>
#include <string>

#include "quill/imaging/AlphaImage.h"

namespace quill {

class TPNGImage : public TAlphaImage {
 public:
  // On any error the image is unchanged and EInvalidGraphic is thrown (a
  // picture over the cap before its pixels are allocated).
  void LoadFromStream(const std::uint8_t* data, std::size_t size);
  void LoadFromFile(const std::string& path);
};

}  // namespace quill
