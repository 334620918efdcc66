#include "quill/ui/CheckBox.h"

#include "quill/ui/EventDispatch.h"

namespace quill {

void TCheckBox::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  NotifyStateChanged();
  Dispatch(OnClick);
}

void TCheckBox::Click() {
  if (!CanReceiveInput()) return;
  SetChecked(!checked_);
}

}  // namespace quill
