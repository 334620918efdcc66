#pragma once
// The first image of a GIF file, placed on its logical screen. Pixels that the
// image leaves undrawn or marks transparent are not drawn, so a bitmap that
// copies the picture keeps its black there.
#include <cstdint>
#include <string>
#include <vector>

#include "quill/imaging/Colour32.h"
#include "quill/imaging/Graphic.h"

namespace quill {

class TGIFImage : public TGraphic {
 public:
  // On any error the image is unchanged and EInvalidGraphic is thrown.
  void LoadFromStream(const std::uint8_t* data, std::size_t size);
  void LoadFromFile(const std::string& path);

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  // One entry per screen pixel, top row first: opaque colours for drawn
  // pixels, 0 (fully transparent) where nothing is drawn.
  const std::vector<TColor32>& Pixels() const { return pixels_; }
  void DrawOnto(TBitmap32& dst) const override;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<TColor32> pixels_;
};

}  // namespace quill
