#pragma once
// A plain picture view: shows a plain bitmap at its natural size from the
// top-left corner (unless Center or Stretch is set). A logical palette can be
// attached for showing paletted pictures on palette displays; it stays when
// the picture is replaced.
#include <optional>
#include <string>

#include "quill/imaging/Bitmap.h"
#include "quill/imaging/Palette.h"
#include "quill/ui/Control.h"

namespace quill {

class TImage : public TControl {
 public:
  explicit TImage(std::string name) : TControl(ckImage, std::move(name)) {}

  const TBitmap& Picture() const { return picture_; }
  // For in-place edits; call Changed afterwards.
  TBitmap& Picture() { return picture_; }
  // The view shows a copy of bitmap from now on.
  void SetPicture(const TBitmap& bitmap);
  // Repaints after Picture() was edited in place.
  void Changed() { Invalidate(); }

  const std::optional<TPalette>& Palette() const { return palette_; }
  void SetPalette(TPalette palette);

  bool Center() const { return center_; }
  void SetCenter(bool center);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool stretch);

  void Click();
  TNotifyEvent OnClick;

 private:
  TBitmap picture_;
  std::optional<TPalette> palette_;
  bool center_ = false;
  bool stretch_ = false;
};

}  // namespace quill
