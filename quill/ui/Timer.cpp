#include "quill/ui/Timer.h"

#include "quill/ui/EventDispatch.h"

namespace quill {

TTimer::~TTimer() {
  if (peer_) peer_->TimerDestroyed();
}

void TTimer::SetInterval(unsigned milliseconds) {
  if (milliseconds == interval_) return;
  interval_ = milliseconds;
  NotifyChanged();
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  NotifyChanged();
}

void TTimer::Tick() {
  // A system timer with interval 0 never fires; the model behaves the same.
  if (!enabled_ || interval_ == 0) return;
  Dispatch(OnTimer);
}

void TTimer::NotifyChanged() {
  if (peer_) peer_->TimerChanged();
}

}  // namespace quill
