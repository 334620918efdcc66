#include "quill/ui/Panel.h"

namespace quill {

void TPanel::SetBevelOuter(TBevelCut bevel) {
  if (bevel == bevelOuter_) return;
  bevelOuter_ = bevel;
  NotifyStateChanged();
}

void TPanel::SetBevelInner(TBevelCut bevel) {
  if (bevel == bevelInner_) return;
  bevelInner_ = bevel;
  NotifyStateChanged();
}

}  // namespace quill
