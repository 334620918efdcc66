#pragma once
// A JPEG picture decoded at full size to 24-bit RGB with the library's default
// decompression settings; grayscale and CMYK files come out as RGB too.
#include <cstdint>
#include <string>
#include <vector>

#include "quill/imaging/Graphic.h"

namespace quill {

class TBitmap32;

class TJPEGImage : public TGraphic {
 public:
  // On any error the image is unchanged and EInvalidGraphic is thrown.
  void LoadFromStream(const std::uint8_t* data, std::size_t size);
  void LoadFromFile(const std::string& path);

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  // Red, green, blue per pixel, top row first, no padding.
  const std::vector<std::uint8_t>& Rgb() const { return rgb_; }
  void DrawOnto(TBitmap32& dst) const override;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint8_t> rgb_;
};

// Decodes a JPEG file's bytes straight into the 32-bit bitmap: it gets the
// size and the opaque pixels that CopyFrom of the loaded TJPEGImage would give
// it, without the RGB copy in between. On any error (the same as
// TJPEGImage's) the bitmap is unchanged.
void LoadJpegBitmap32(TBitmap32& bitmap, const std::uint8_t* data, std::size_t size);

}  // namespace quill
