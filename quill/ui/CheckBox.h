#pragma once
// A check box. Changing Checked, by the user or by the program, fires OnClick,
// as the framework's check box does; setting the value it already has fires
// nothing.
#include <string>

#include "quill/ui/Control.h"

namespace quill {

class TCheckBox : public TControl {
 public:
  explicit TCheckBox(std::string name) : TControl(ckCheckBox, std::move(name)) {}

  bool Checked() const { return checked_; }
  void SetChecked(bool checked);

  // A user's click toggles the box.
  void Click();

  TNotifyEvent OnClick;

 private:
  bool checked_ = false;
};

}  // namespace quill
