#include "quill/platform/Clipboard.h"

#include <algorithm>

namespace quill {

bool IClipboard::HasFormat(unsigned format) const {
  const auto formats = Formats();
  return std::find(formats.begin(), formats.end(), format) != formats.end();
}

}  // namespace quill
