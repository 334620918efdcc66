#pragma once
// A position in pixels: screen or client coordinates, as the call using it says.
namespace quill {

struct TPoint {
  int X = 0, Y = 0;
  friend bool operator==(const TPoint& a, const TPoint& b) { return a.X == b.X && a.Y == b.Y; }
};

}  // namespace quill
