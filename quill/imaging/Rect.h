#pragma once
// Rectangles of the drawing code: (left, top, right, bottom), right and bottom
// exclusive.
#include <cstdint>

namespace quill {

struct TRect {
  std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  constexpr std::int32_t Width() const { return Right - Left; }
  constexpr std::int32_t Height() const { return Bottom - Top; }
  friend constexpr bool operator==(const TRect& a, const TRect& b) {
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
  }
};

struct TFloatRect {
  float Left = 0, Top = 0, Right = 0, Bottom = 0;
};

}  // namespace quill
