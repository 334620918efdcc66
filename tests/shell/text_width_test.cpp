#include <gtest/gtest.h>

#include <string>

#include "quill/shell/TextWidth.h"

namespace quill {
namespace {

TFont WindowFont() { return TFont{}; }

TFont Font(const char* name, int size, bool bold = false) {
  TFont font;
  font.Name = name;
  font.Size = size;
  font.Bold = bold;
  return font;
}

struct TWidthCase {
  const char* text;
  int window, compact;  // advance widths plus the pixel of slack
};

class TextWidths : public ::testing::TestWithParam<TWidthCase> {};

TEST_P(TextWidths, SumOfTheAdvanceWidthsAndAPixel) {
  const TWidthCase& c = GetParam();
  EXPECT_EQ(EstimatedTextWidth(c.text, WindowFont()), c.window) << c.text;
  EXPECT_EQ(EstimatedTextWidth(c.text, CompactFont(WindowFont())), c.compact) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Captions, TextWidths,
                         ::testing::Values(TWidthCase{"", 0, 0}, TWidthCase{"R", 9, 8}, TWidthCase{"-128", 22, 17},
                                           TWidthCase{"Magenta-Green", 75, 66}, TWidthCase{"Background", 59, 52},
                                           TWidthCase{" Brightness:", 56, 50},
                                           TWidthCase{"Modify the middle RGB section with these controls.", 240, 212},
                                           TWidthCase{"Adjust and experiment, click preview, and then export.", 256,
                                                      217}));

TEST(TextWidth, TheCompactFontIsNeverWider) {
  for (char c = ' '; c <= '~'; ++c) {
    const std::string text(1, c);
    EXPECT_LE(EstimatedTextWidth(text, CompactFont(WindowFont())), EstimatedTextWidth(text, WindowFont())) << c;
  }
}

TEST(TextWidth, UnknownCharactersCountAsTheWidest) {
  EXPECT_EQ(EstimatedTextWidth("\xE9", WindowFont()), EstimatedTextWidth("@", WindowFont()));
  EXPECT_EQ(EstimatedTextWidth("\t", WindowFont()), EstimatedTextWidth("W", WindowFont()));
}

TEST(TextWidth, LargerOrBoldFontsAreNeverNarrower) {
  const std::string text = "Quill For Lounge 1.0";
  const int base = EstimatedTextWidth(text, WindowFont());
  EXPECT_GT(EstimatedTextWidth(text, Font("MS Sans Serif", 8, true)), base);
  EXPECT_GE(EstimatedTextWidth(text, Font("MS Sans Serif", 14, true)), base * 14 / 8);
  // A font we have no table for is reckoned as the window font at its size.
  EXPECT_EQ(EstimatedTextWidth(text, Font("Some Other Face", 8)), base);
  EXPECT_EQ(EstimatedTextWidth(text, Font("MS Sans Serif", 6)), base);
}

TEST(TextWidth, CompactFontKeepsColourAndWeight) {
  TFont font = WindowFont();
  font.Color = 0xFF123456u;
  const TFont compact = CompactFont(font);
  EXPECT_EQ(compact.Name, kCompactFontName);
  EXPECT_EQ(compact.Size, kCompactFontSize);
  EXPECT_EQ(compact.Color, font.Color);
  EXPECT_FALSE(compact.Bold);
}

TEST(TextWidth, LineHeights) {
  EXPECT_EQ(EstimatedLineHeight(WindowFont()), 13);
  EXPECT_EQ(EstimatedLineHeight(CompactFont(WindowFont())), 11);
  EXPECT_EQ(EstimatedLineHeight(Font("MS Sans Serif", 14, true)), 23);
}

struct TWrapCase {
  const char* text;
  int width;
  int lines;
};

class LineBreaks : public ::testing::TestWithParam<TWrapCase> {};

TEST_P(LineBreaks, LinesOfAWrappedText) {
  const TWrapCase& c = GetParam();
  EXPECT_EQ(EstimatedLineCount(c.text, WindowFont(), c.width), c.lines) << c.text << " in " << c.width;
}

// "aaa" is 18 pixels, a space 3, so "aaa aaa" is 39 and needs 40 with the
// pixel of slack.
INSTANTIATE_TEST_SUITE_P(Widths, LineBreaks,
                         ::testing::Values(TWrapCase{"", 100, 1}, TWrapCase{"aaa", 19, 1}, TWrapCase{"aaa aaa", 40, 1},
                                           TWrapCase{"aaa aaa", 39, 2}, TWrapCase{"aaa aaa aaa", 40, 2},
                                           TWrapCase{"aaa aaa aaa", 39, 3},
                                           // Spaces at a break are swallowed, not carried over.
                                           TWrapCase{"aaa    aaa aaa", 40, 2},
                                           // Spaces between words on one line all count.
                                           TWrapCase{"aaa  aaa", 40, 2},
                                           // A word wider than the box stands alone.
                                           TWrapCase{"aaaaaaaaaa aa", 30, 2}, TWrapCase{"aa aaaaaaaaaa aa", 30, 3}));

TEST(LineBreaks, LeadingSpacesStayOnTheFirstLine) {
  EXPECT_EQ(EstimatedLineCount("aaa aaa", WindowFont(), 40), 1);
  EXPECT_EQ(EstimatedLineCount(" aaa aaa", WindowFont(), 40), 2);
}

}  // namespace
}  // namespace quill
