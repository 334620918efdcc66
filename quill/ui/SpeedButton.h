#pragma once
// A flat push button. With a GroupIndex other than 0 it latches: a click puts
// it down and every other button of the same group under the same parent up;
// with AllowAllUp a click on a down button puts it up again, and the program
// may set any button of the group up.
#include <string>

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

  TNotifyEvent OnClick;

 private:
  void ReleaseGroupSiblings();

  bool flat_ = false;
  int groupIndex_ = 0;
  bool allowAllUp_ = false;
  bool down_ = false;
};

}  // namespace quill
