#include "quill/imaging/Palette.h"

#include <algorithm>

namespace quill {

TPalette::TPalette(std::vector<TPaletteEntry> entries) : entries_(std::move(entries)) {
  if (entries_.size() > std::size_t(kMaxEntries)) entries_.resize(kMaxEntries);
}

int TPalette::GetEntries(int start, int count, TPaletteEntry* out) const {
  if (start < 0 || count <= 0 || start >= EntryCount()) return 0;
  const int n = std::min(count, EntryCount() - start);
  std::copy_n(entries_.begin() + start, n, out);
  return n;
}

}  // namespace quill
