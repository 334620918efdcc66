#pragma once
// How wide captions come out on screen, estimated from the advance widths of
// the window's bitmap fonts, so that the layout can give every text room to
// stand clear of its neighbours. Estimates err on the wide side: one pixel of
// slack per text, and the widest character for anything the tables do not
// know.
#include <string>

#include "quill/ui/Control.h"

namespace quill {

// The window's own font, "MS Sans Serif" 8 pt (character cells 13 pixels
// high), and the compact font for the few captions whose place in the layout
// leaves less room than the window font needs, "Small Fonts" 7 pt (cells 11
// pixels high).
inline const char* const kWindowFontName = "MS Sans Serif";
constexpr int kWindowFontSize = 8;
constexpr int kWindowFontCellHeight = 13;
inline const char* const kCompactFontName = "Small Fonts";
constexpr int kCompactFontSize = 7;
constexpr int kCompactFontCellHeight = 11;

// The window font in its compact form, keeping colour and weight.
TFont CompactFont(const TFont& font);

// Pixels that text takes on one line in font. Fonts other than the two above
// are reckoned from the window font scaled up to their point size, a pixel
// wider per character when bold.
int EstimatedTextWidth(const std::string& text, const TFont& font);

// Lines that text breaks into at word boundaries in a box width pixels wide,
// as a word-wrapping label draws it: a line ends before the word that would
// overflow it; a word wider than the box stands on a line of its own.
int EstimatedLineCount(const std::string& text, const TFont& font, int width);

// Height of one line of text in font.
int EstimatedLineHeight(const TFont& font);

}  // namespace quill
