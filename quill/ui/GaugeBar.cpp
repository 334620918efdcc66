#include "quill/ui/GaugeBar.h"

#include <algorithm>

namespace quill {

void TGaugeBar::SetHandleSize(int size) {
  size = std::max(size, 0);
  if (size == handleSize_) return;
  handleSize_ = size;
  NotifyStateChanged();
}

TGaugeGeometry TGaugeBar::Geometry() const {
  return TGaugeGeometry(Width(), Height(), ScrollKind() == sbVertical, handleSize_, Min(), Max());
}

TGaugePart TGaugeBar::MouseDown(int x, int y) {
  if (!CanReceiveInput()) return gpNone;
  mouseX_ = x;
  mouseY_ = y;
  const TGaugeGeometry geometry = Geometry();
  const TGaugePart part = geometry.HitTest(Position(), x, y);
  held_ = part;
  if (part == gpHandle) {
    grabOffset_ = geometry.AxisOffset(x, y) - geometry.HandleStart(Position());
  } else if (part != gpNone) {
    StepHeldPart();
  }
  return part;
}

void TGaugeBar::MouseMove(int x, int y) {
  mouseX_ = x;
  mouseY_ = y;
  if (held_ != gpHandle) return;
  const TGaugeGeometry geometry = Geometry();
  SetPosition(geometry.PositionFromHandleStart(geometry.AxisOffset(x, y) - grabOffset_));
}

bool TGaugeBar::RepeatTick() {
  if (held_ == gpNone || held_ == gpHandle) return false;
  return StepHeldPart();
}

bool TGaugeBar::MouseUp() {
  if (held_ == gpNone) return false;
  held_ = gpNone;
  return true;
}

bool TGaugeBar::StepHeldPart() {
  const TGaugeGeometry geometry = Geometry();
  const int before = Position();
  switch (held_) {
    case gpDecrease:
      SetPosition(before - 1);
      break;
    case gpIncrease:
      SetPosition(before + 1);
      break;
    case gpTrackBefore:
    case gpTrackAfter:
      // Paging stops once the handle has reached the mouse.
      if (geometry.HitTest(before, mouseX_, mouseY_) != held_) return false;
      SetPosition(before + (held_ == gpTrackBefore ? -geometry.PageStep() : geometry.PageStep()));
      break;
    default:
      return false;
  }
  return Position() != before;
}

}  // namespace quill
