#pragma once
// A decoded picture that may carry transparency (PNG, WebP): 32-bit pixels
// with straight (not premultiplied) alpha, and whether any pixel is below full
// alpha, so that opaque pictures take the plain copy path everywhere.
#include <cstdint>
#include <vector>

#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/Colour32.h"
#include "quill/imaging/Graphic.h"

namespace quill {

class TBitmap32;

class TAlphaImage : public TGraphic {
 public:
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  // Width x Height pixels, top row first, no padding.
  const TPixels32& Pixels() const { return pixels_; }
  bool Translucent() const { return translucent_; }
  // Writes the pixels as they are, alpha included.
  void DrawOnto(TBitmap32& dst) const override;
  // Hands the pixels to the bitmap (which takes this picture's size) and sets
  // its draw mode: dmBlend when the picture is translucent, so that drawing it
  // composes it over what lies beneath, else dmOpaque. The image is left empty.
  void MoveInto(TBitmap32& bitmap);

 protected:
  // Takes a decoded picture; the translucency is found here, and only
  // decoders whose output has an alpha channel need ask for the scan.
  void Assign(int width, int height, TPixels32&& pixels, bool mayBeTranslucent);

 private:
  int width_ = 0;
  int height_ = 0;
  TPixels32 pixels_;
  bool translucent_ = false;
};

// The pixel vector for a decoder: width x height pixels after the picture cap
// is checked, EOutOfMemory "Out of memory" when the process cannot hold them.
TPixels32 AllocatePicturePixels(int width, int height);

}  // namespace quill
