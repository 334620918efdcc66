#pragma once
// A flat push button. With a GroupIndex other than 0 it latches: a click puts
// it down and every other button of the same group under the same parent up;
// with AllowAllUp a click on a down button puts it up again, and the program
// may set any button of the group up.
//
// A button may carry a glyph, a picture shown centred on its face (below and
// right by a pixel while it is pressed). Glyph pixels with alpha 0 let the
// face show through, alpha 255 covers it and values between blend; a
// disabled button shows the glyph's shape greyed (quill/ui/GlyphPainting.h).
#include <string>

#include "quill/imaging/Bitmap32.h"
#include "quill/ui/Control.h"

namespace quill {

class TSpeedButton : public TControl {
 public:
  explicit TSpeedButton(std::string name);

  bool Flat() const { return flat_; }
  void SetFlat(bool flat);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int groupIndex);
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool allowAllUp);

  bool Down() const { return down_; }
  // Ungrouped buttons never stay down; a down button of a group without
  // AllowAllUp cannot be set up directly (only by another button going down).
  void SetDown(bool down);

  // A user's click: latches as described above, then runs OnClick through the
  // event dispatch. Does nothing when the user could not reach the button.
  void Click();

  // The glyph, empty (0 x 0) for none. The button repaints whenever the
  // bitmap signals a change (resizing does; drawing code signals when done).
  TBitmap32& Glyph() { return glyph_; }
  const TBitmap32& Glyph() const { return glyph_; }
  bool HasGlyph() const { return !glyph_.Empty(); }

  TNotifyEvent OnClick;

 private:
  void ReleaseGroupSiblings();

  bool flat_ = false;
  int groupIndex_ = 0;
  bool allowAllUp_ = false;
  bool down_ = false;
  TBitmap32 glyph_;
};

}  // namespace quill
