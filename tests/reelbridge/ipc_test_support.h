#pragma once
// Building request blocks the way the movie side does, for the tests.
#include <cstdint>
#include <string>
#include <vector>

#include "fakes.h"

namespace reelbridge::fake {

struct TItem {
  TIpcItemType Type;
  TBytes Bytes;  // for `s`, the characters and the NUL that AppendItem copies too
};

inline TItem Long(std::int32_t value) {
  TBytes bytes(4);
  for (int i = 0; i < 4; ++i) bytes[i] = std::uint8_t(std::uint32_t(value) >> (8 * i));
  return TItem{itLong, bytes};
}
inline TItem Text(const std::string& text) {
  TBytes bytes(text.begin(), text.end());
  bytes.push_back(0);
  return TItem{itString, bytes};
}
inline TItem Bytes(TBytes bytes) { return TItem{itBytes, std::move(bytes)}; }

// A block of `capacity` bytes named `name` holding the items.
inline TBytes Block(const std::string& name, const std::vector<TItem>& items, std::uint32_t capacity = 200) {
  TBytes block(capacity);
  TIpcMessage message;
  message.BeginMessage(block.data(), block.size(), capacity, name.c_str());
  for (const TItem& item : items) {
    const std::size_t length = item.Bytes.size() - (item.Type == itString ? 1 : 0);
    message.AppendItem(item.Bytes.data(), std::uint32_t(length), item.Type);
  }
  return block;
}

// The four bytes of a 32-bit item.
inline std::string LongBytesOf(std::int32_t value) {
  const TBytes bytes = Long(value).Bytes;
  return std::string(bytes.begin(), bytes.end());
}

// A string with its NUL, as `s` items carry it.
inline std::string Z(const std::string& text) { return text + std::string(1, '\0'); }

}  // namespace reelbridge::fake
