#include "quill/ui/NumberText.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace quill {
namespace {

char separator = '.';

}  // namespace

char DecimalSeparator() { return separator; }
void SetDecimalSeparator(char newSeparator) { separator = newSeparator; }

std::string FixedText(double value, int precision, int digits) {
  precision = std::clamp(precision, 1, 17);
  digits = std::clamp(digits, 0, 17);
  char buffer[64];
  // The significant digits first (as exponent notation), then the decimals.
  std::snprintf(buffer, sizeof buffer, "%.*e", precision - 1, value);
  const double rounded = std::strtod(buffer, nullptr);
  std::snprintf(buffer, sizeof buffer, "%.*f", digits, rounded);
  std::string text = buffer;
  std::replace(text.begin(), text.end(), '.', separator);
  return text;
}

}  // namespace quill
