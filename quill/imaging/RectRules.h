#pragma once
// The two rectangle rules of the drawing code. Rectangles are (left, top,
// right, bottom).
#include <algorithm>

#include "quill/imaging/Rect.h"

namespace quill {

// (max of lefts, max of tops, min of rights, min of bottoms). Reported as
// non-empty when right >= left and bottom >= top; otherwise the result is all
// zeros and false is returned.
inline bool IntersectRect(TRect& result, const TRect& a, const TRect& b) {
  result =
      TRect{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
  if (result.Right >= result.Left && result.Bottom >= result.Top) return true;
  result = TRect{};
  return false;
}

// Empty unless left < right and top < bottom.
inline bool IsRectEmpty(const TRect& r) { return !(r.Left < r.Right && r.Top < r.Bottom); }

}  // namespace quill
