#include "quill/platform/headless/MemoryClipboard.h"

#include <algorithm>

#include "quill/base/Errors.h"

namespace quill {

void TMemoryClipboard::CheckOpen() const {
  ++sessions_;
  if (refusing_) throw Exception(kCannotOpenClipboard);
}

std::vector<unsigned> TMemoryClipboard::Formats() const {
  CheckOpen();
  std::vector<unsigned> formats;
  formats.reserve(items_.size());
  for (const auto& item : items_) formats.push_back(item.first);
  return formats;
}

void TMemoryClipboard::Clear() {
  CheckOpen();
  items_.clear();
}

void TMemoryClipboard::SetData(unsigned format, const std::vector<std::uint8_t>& block) {
  CheckOpen();
  auto found = std::find_if(items_.begin(), items_.end(), [format](const auto& item) { return item.first == format; });
  if (found != items_.end()) found->second = block;
  else items_.emplace_back(format, block);
}

void TMemoryClipboard::SetSingleItem(unsigned format, const std::vector<std::uint8_t>& block) {
  CheckOpen();
  items_.assign(1, {format, block});
}

std::optional<std::vector<std::uint8_t>> TMemoryClipboard::GetData(unsigned format) const {
  CheckOpen();
  for (const auto& item : items_)
    if (item.first == format) return item.second;
  return std::nullopt;
}

}  // namespace quill
