#include "quill/ui/GaugeBar.h"

#include <algorithm>

namespace quill {

void TGaugeBar::SetHandleSize(int size) {
  size = std::max(size, 0);
  if (size == handleSize_) return;
  handleSize_ = size;
  NotifyStateChanged();
}

}  // namespace quill
