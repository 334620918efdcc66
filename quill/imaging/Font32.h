#pragma once
#include <string>

#include "quill/imaging/Colour32.h"

namespace quill {

// The font a bitmap's text output uses. The program draws no text into its
// bitmaps, so this is only the description the drawing backend would select.
struct TFont32 {
  std::string Name = "MS Sans Serif";
  int Size = 8;  // points
  TColor32 Color = 0xFF000000u;
  bool Bold = false;
  bool Italic = false;
};

}  // namespace quill
