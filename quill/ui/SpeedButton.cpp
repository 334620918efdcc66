#include "quill/ui/SpeedButton.h"

#include "quill/ui/EventDispatch.h"

namespace quill {

TSpeedButton::TSpeedButton(std::string name) : TControl(ckSpeedButton, std::move(name)) {
  glyph_.OnChange = [this] { Invalidate(); };
}

void TSpeedButton::SetFlat(bool flat) {
  if (flat == flat_) return;
  flat_ = flat;
  NotifyStateChanged();
}

void TSpeedButton::SetGroupIndex(int groupIndex) {
  if (groupIndex == groupIndex_) return;
  groupIndex_ = groupIndex;
  if (groupIndex_ == 0) {
    SetDown(false);
  } else if (down_) {
    ReleaseGroupSiblings();
  }
}

void TSpeedButton::SetAllowAllUp(bool allowAllUp) { allowAllUp_ = allowAllUp; }

void TSpeedButton::SetDown(bool down) {
  if (groupIndex_ == 0) down = false;
  if (down == down_) return;
  if (down_ && !allowAllUp_) return;
  down_ = down;
  if (down_) ReleaseGroupSiblings();
  NotifyStateChanged();
}

void TSpeedButton::ReleaseGroupSiblings() {
  if (!Parent()) return;
  for (TControl* sibling : Parent()->Children()) {
    if (sibling == this || sibling->Kind() != ckSpeedButton) continue;
    auto* button = static_cast<TSpeedButton*>(sibling);
    if (button->groupIndex_ != groupIndex_ || !button->down_) continue;
    button->down_ = false;
    button->NotifyStateChanged();
  }
}

void TSpeedButton::Click() {
  if (!CanReceiveInput()) return;
  if (groupIndex_ != 0) SetDown(!down_);
  Dispatch(OnClick);
}

}  // namespace quill
