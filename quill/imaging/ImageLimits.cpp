#include "quill/imaging/ImageLimits.h"

#include "quill/base/Errors.h"

namespace quill {

void CheckPictureSize(std::int64_t width, std::int64_t height) {
  if (width < 1 || height < 1) throw EInvalidGraphic("Invalid picture dimensions");
  if (width > kMaxPictureSide || height > kMaxPictureSide || width * height > kMaxPicturePixels)
    throw EInvalidGraphic(kPictureTooLarge);
}

std::uint64_t PaddedRowBytes(std::int64_t width, int bitsPerPixel) {
  if (width < 1 || bitsPerPixel < 1) return 0;
  return (std::uint64_t(width) * std::uint64_t(bitsPerPixel) + 31) / 32 * 4;
}

}  // namespace quill
