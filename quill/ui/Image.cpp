#include "quill/ui/Image.h"

#include "quill/ui/EventDispatch.h"

namespace quill {

void TImage::SetPicture(const TBitmap& bitmap) {
  picture_ = bitmap;
  Invalidate();
}

void TImage::SetPalette(TPalette palette) {
  palette_ = std::move(palette);
  Invalidate();
}

void TImage::SetCenter(bool center) {
  if (center == center_) return;
  center_ = center;
  Invalidate();
}

void TImage::SetStretch(bool stretch) {
  if (stretch == stretch_) return;
  stretch_ = stretch;
  Invalidate();
}

void TImage::Click() {
  if (!CanReceiveInput()) return;
  Dispatch(OnClick);
}

}  // namespace quill
