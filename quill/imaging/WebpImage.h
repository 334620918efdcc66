#pragma once
// A WebP picture decoded at full size to 32-bit pixels with its alpha: lossy,
// lossless and either with an alpha channel. Of an animation, the first frame
// as it appears on the canvas (the rest of the canvas transparent).
#include <cstdint>
#include <string>

#include "quill/imaging/AlphaImage.h"

namespace quill {

class TWebPImage : public TAlphaImage {
 public:
  // On any error the image is unchanged and EInvalidGraphic is thrown (a
  // canvas over the cap before its pixels are allocated).
  void LoadFromStream(const std::uint8_t* data, std::size_t size);
  void LoadFromFile(const std::string& path);
};

}  // namespace quill
