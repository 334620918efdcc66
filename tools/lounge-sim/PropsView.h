#pragma once
// The stand-in client's props: Ctrl+Q takes the clipboard image as the user's
// props (cut into 44 x 44 tiles), Ctrl+P shows them. Shown props are drawn as
// the avatar's grid with a small gap between tiles, so the cut can be seen,
// under a line that counts them.
#include <windows.h>

#include <string>
#include <vector>

#include "PropCutter.h"

namespace loungesim {

class TPropsView {
 public:
  // Replaces the props; what is shown stays until the next Show.
  void Take(std::vector<TProp> props);
  // Shows the props last taken; returns how many.
  std::size_t Show();
  std::size_t ShownCount() const { return shown_.size(); }
  // "3x3" for the grid last taken, "none" before any.
  std::string TakenGrid() const;

  // Draws the shown props with their top-left corner at (left, top).
  void Paint(HDC dc, int left, int top) const;

 private:
  std::vector<TProp> taken_;
  std::vector<TProp> shown_;
};

// Draws paint into a memory bitmap of width x height on a white ground and
// writes it as a 24-bit BMP file; false when the file cannot be written.
bool SavePaintingAsBmp(int width, int height, void (*paint)(HDC, void*), void* context, const std::string& path);

}  // namespace loungesim
