#pragma once
// Small helpers that keep the main window's layout code to one line per
// control: parent, bounds, texts and the window's colour scheme.
#include <string>

#include "quill/shell/TextWidth.h"
#include "quill/ui/Control.h"
#include "quill/ui/UiColours.h"

namespace quill {

// Black pages with yellow text, the look of the whole window.
constexpr TColor32 kPageColour = clBlack;
constexpr TColor32 kTextColour = clYellow;

inline void Place(TControl& control, TControl& parent, int left, int top, int width, int height) {
  control.SetParent(&parent);
  control.SetBounds(left, top, width, height);
}

// A caption in the window's text colour on the page colour.
inline void SetText(TControl& control, const std::string& caption) {
  control.SetCaption(caption);
  control.SetColor(kPageColour);
  control.SetFontColor(kTextColour);
}

// The compact font, for a caption whose fixed place leaves less room than
// the window font needs.
inline void UseCompactFont(TControl& control) { control.SetFont(CompactFont(control.Font())); }

}  // namespace quill
