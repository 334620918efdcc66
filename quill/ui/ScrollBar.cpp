#include "quill/ui/ScrollBar.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace quill {

void TScrollBar::Step(int count, int change) {
  if (!CanReceiveInput()) return;
  // 64-bit so that a long press far past the end cannot wrap around.
  const std::int64_t target = std::int64_t(Position()) + std::int64_t(count) * change;
  const std::int64_t clamped =
      std::clamp<std::int64_t>(target, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
  SetPosition(int(clamped));
}

}  // namespace quill
