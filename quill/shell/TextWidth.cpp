#include "quill/shell/TextWidth.h"

#include <algorithm>
#include <array>

namespace quill {
namespace {

constexpr char kFirstCharacter = ' ';
constexpr char kLastCharacter = '~';
using TWidthTable = std::array<unsigned char, kLastCharacter - kFirstCharacter + 1>;

// Advance widths of ' ' to '~', 16 to a row.
constexpr TWidthTable kWindowFontWidths = {
    3,  3, 5, 7, 6, 8, 6, 2,  3, 3, 4, 6, 3, 3, 3, 5,  //  !"#$%&'()*+,-./
    6,  6, 6, 6, 6, 6, 6, 6,  6, 6, 3, 3, 6, 6, 6, 6,  // 0-9 :;<=>?
    11, 7, 7, 7, 8, 7, 6, 8,  8, 3, 5, 7, 6, 9, 8, 8,  // @A-O
    7,  8, 8, 7, 7, 8, 7, 11, 7, 7, 7, 3, 5, 3, 6, 6,  // P-Z [\]^_
    3,  6, 6, 6, 6, 6, 3, 6,  6, 2, 2, 6, 2, 8, 6, 6,  // `a-o
    6,  6, 3, 5, 3, 6, 6, 8,  5, 5, 5, 4, 2, 4, 7,     // p-z {|}~
};
constexpr TWidthTable kCompactFontWidths = {
    2, 2, 4, 6, 6, 7, 6, 2, 3, 3, 3, 4, 2, 3, 2, 3,  //
    5, 3, 5, 5, 5, 5, 5, 5, 5, 5, 2, 2, 5, 5, 5, 5,  //
    9, 7, 7, 7, 7, 6, 6, 7, 7, 2, 5, 6, 5, 9, 7, 7,  //
    7, 7, 7, 6, 6, 6, 6, 8, 6, 6, 6, 3, 3, 3, 4, 5,  //
    3, 5, 5, 5, 5, 5, 3, 5, 5, 2, 2, 5, 2, 8, 5, 6,  //
    5, 5, 3, 5, 3, 5, 5, 6, 4, 4, 4, 3, 2, 3, 5,     //
};

constexpr int kSlack = 1;

bool Named(const TFont& font, const char* name, int size) { return font.Name == name && font.Size == size; }

bool IsCompact(const TFont& font) { return !font.Bold && Named(font, kCompactFontName, kCompactFontSize); }

// Width of one character; unknown ones count as the widest of the table.
int CharacterWidth(const TWidthTable& table, char c) {
  if (c < kFirstCharacter || c > kLastCharacter) return *std::max_element(table.begin(), table.end());
  return table[std::size_t(c - kFirstCharacter)];
}

int CharacterWidth(const TFont& font, char c) {
  if (IsCompact(font)) return CharacterWidth(kCompactFontWidths, c);
  const int base = CharacterWidth(kWindowFontWidths, c);
  if (!font.Bold && Named(font, kWindowFontName, kWindowFontSize)) return base;
  // Another size or weight: scaled from the window font, rounded up.
  const int size = std::max(font.Size, kWindowFontSize);
  return (base * size + kWindowFontSize - 1) / kWindowFontSize + (font.Bold ? 1 : 0);
}

int RawWidth(const std::string& text, const TFont& font) {
  int width = 0;
  for (char c : text) width += CharacterWidth(font, c);
  return width;
}

}  // namespace

TFont CompactFont(const TFont& font) {
  TFont compact = font;
  compact.Name = kCompactFontName;
  compact.Size = kCompactFontSize;
  return compact;
}

int EstimatedTextWidth(const std::string& text, const TFont& font) {
  return text.empty() ? 0 : RawWidth(text, font) + kSlack;
}

int EstimatedLineCount(const std::string& text, const TFont& font, int width) {
  const int room = width - kSlack;
  const int space = CharacterWidth(font, ' ');
  int lines = 1;
  int lineWidth = 0;
  bool lineEmpty = true;
  int spaces = 0;  // spaces before the next word
  for (std::size_t at = 0; at < text.size();) {
    if (text[at] == ' ') {
      ++spaces;
      ++at;
      continue;
    }
    const std::size_t end = std::min(text.find(' ', at), text.size());
    const int word = RawWidth(text.substr(at, end - at), font);
    // Spaces between words count; a line break swallows them, and the
    // text's own leading spaces stay on its first line.
    const int gap = lineEmpty && lines > 1 ? 0 : spaces * space;
    if (!lineEmpty && lineWidth + gap + word > room) {
      ++lines;
      lineWidth = word;
    } else {
      lineWidth += gap + word;
    }
    lineEmpty = false;
    spaces = 0;
    at = end;
  }
  return lines;
}

int EstimatedLineHeight(const TFont& font) {
  if (IsCompact(font)) return kCompactFontCellHeight;
  const int size = std::max(font.Size, kWindowFontSize);
  return (kWindowFontCellHeight * size + kWindowFontSize - 1) / kWindowFontSize;
}

}  // namespace quill
