#include "quill/imaging/ImageLimits.h"

#include "quill/base/Errors.h"

namespace quill {

void CheckPictureSize(std::int64_t width, std::int64_t height) {
  if (width < 1 || height < 1) throw EInvalidGraphic("Invalid picture dimensions");
  if (width > kMaxPictureSide || height > kMaxPictureSide || width * height > kMaxPicturePixels)
    throw EInvalidGraphic(kPictureTooLarge);
}

}  // namespace quill
