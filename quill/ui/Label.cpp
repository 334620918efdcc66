#include "quill/ui/Label.h"

namespace quill {

void TLabel::SetTransparent(bool transparent) {
  if (transparent == transparent_) return;
  transparent_ = transparent;
  NotifyStateChanged();
}

void TLabel::SetWordWrap(bool wordWrap) {
  if (wordWrap == wordWrap_) return;
  wordWrap_ = wordWrap;
  NotifyStateChanged();
}

}  // namespace quill
