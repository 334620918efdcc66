#include "quill/ui/RangeControl.h"

#include <algorithm>

#include "quill/ui/EventDispatch.h"

namespace quill {

TRangeControl::TRangeControl(TControlKind kind, std::string name, int min, int max)
    : TControl(kind, std::move(name)), min_(min), max_(std::max(min, max)), position_(min) {}

void TRangeControl::SetRange(int min, int max) {
  max = std::max(min, max);
  if (min == min_ && max == max_) return;
  min_ = min;
  max_ = max;
  NotifyStateChanged();
  SetPosition(position_);
}

void TRangeControl::SetPosition(int position) {
  position = std::clamp(position, min_, max_);
  if (position == position_) return;
  // The new value is stored before the handler runs, so it stays even when
  // the handler fails.
  position_ = position;
  NotifyStateChanged();
  Dispatch(OnChange);
}

void TRangeControl::SetScrollKind(TScrollBarKind kind) {
  if (kind == scrollKind_) return;
  scrollKind_ = kind;
  NotifyStateChanged();
}

}  // namespace quill
