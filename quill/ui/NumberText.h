#pragma once
// Numbers shown as text the way the user's settings write them. The decimal
// separator is the application's setting: '.' until the Win32 backend takes
// the user's own from the system.
#include <string>

namespace quill {

char DecimalSeparator();
void SetDecimalSeparator(char separator);

// value rounded to `precision` significant digits, then written in fixed
// notation with `digits` decimals and the decimal separator (precision 3,
// digits 2: 1.00, 0.25, 0.67).
std::string FixedText(double value, int precision, int digits);

}  // namespace quill
