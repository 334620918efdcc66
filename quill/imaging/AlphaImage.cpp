#include "quill/imaging/AlphaImage.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "quill/base/Errors.h"
#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/ImageLimits.h"

namespace quill {

void TAlphaImage::DrawOnto(TBitmap32& dst) const {
  const int w = std::min(width_, dst.Width());
  const int h = std::min(height_, dst.Height());
  for (int y = 0; y < h && w > 0; ++y)
    std::memcpy(dst.ScanLine(y), pixels_.data() + std::size_t(y) * std::size_t(width_), std::size_t(w) * 4);
}

void TAlphaImage::MoveInto(TBitmap32& bitmap) {
  bitmap.BeginUpdate();
  try {
    bitmap.AdoptPixels(width_, height_, std::move(pixels_));
    bitmap.SetDrawMode(translucent_ ? dmBlend : dmOpaque);
  } catch (...) {
    bitmap.EndUpdate();
    bitmap.NotifyChanged();
    throw;
  }
  bitmap.EndUpdate();
  bitmap.NotifyChanged();
  width_ = height_ = 0;
  pixels_.clear();
  translucent_ = false;
}

void TAlphaImage::Assign(int width, int height, TPixels32&& pixels, bool mayBeTranslucent) {
  translucent_ = mayBeTranslucent &&
                 std::any_of(pixels.begin(), pixels.end(), [](TColor32 c) { return AlphaComponent(c) != 255; });
  // A picture whose header says it has no alpha is opaque, whatever a decoder
  // left in the alpha bytes (a lossless picture can carry alpha values that
  // its header does not announce).
  if (!mayBeTranslucent)
    for (TColor32& c : pixels) c |= 0xFF000000u;
  width_ = width;
  height_ = height;
  pixels_ = std::move(pixels);
}

TPixels32 AllocatePicturePixels(int width, int height) {
  CheckPictureSize(width, height);
  try {
    return TPixels32(std::size_t(width) * std::size_t(height), 0u);
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory("Out of memory");
  }
}

}  // namespace quill
