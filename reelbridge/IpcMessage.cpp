#include "reelbridge/IpcMessage.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "reelbridge/ByteOrder.h"

namespace reelbridge {
namespace {

constexpr std::size_t kStatusOffset = 20;
constexpr std::size_t kCapacityOffset = 24;
constexpr std::size_t kCountOffset = 28;
constexpr std::size_t kFirstDescriptor = 32;
constexpr std::size_t kDescriptorSize = 9;

std::uint8_t* Descriptor(std::uint8_t* buffer, int index) {
  return buffer + kFirstDescriptor + std::size_t(index - 1) * kDescriptorSize;
}

// The name field as a string: up to its NUL, or all 20 bytes when it has none.
std::size_t NameLength(const std::uint8_t* buffer) {
  const void* nul = std::memchr(buffer, 0, kIpcNameSize);
  return nul ? std::size_t(static_cast<const std::uint8_t*>(nul) - buffer) : kIpcNameSize;
}

}  // namespace

void TIpcMessage::BeginMessage(std::uint8_t* buffer, std::size_t bufferSize, std::uint32_t capacity, const char* name) {
  buffer_ = buffer;
  bufferSize_ = bufferSize;
  std::memset(buffer_, 0, std::min<std::size_t>(capacity, bufferSize_));
  WriteLe32(buffer_ + kCapacityOffset, capacity);
  const std::size_t nameLength = std::min(std::strlen(name), kIpcNameSize - 1);
  std::memcpy(buffer_, name, nameLength);
  writePosition_ = kIpcHeaderSize;
  validBytes_ = kIpcHeaderSize;
}

void TIpcMessage::OpenMessage(std::uint8_t* buffer, std::size_t bufferSize, std::size_t receivedBytes) {
  buffer_ = buffer;
  bufferSize_ = bufferSize;
  validBytes_ = std::min(receivedBytes, bufferSize);
  writePosition_ = kIpcHeaderSize;
  const std::uint32_t count = ItemCount();
  if (count == 0) return;
  std::uint8_t type = 0;
  std::size_t start = 0;
  std::uint32_t length = 0;
  // Appending behind a last item that lies outside the block could only
  // overwrite or pass the end; such a block takes no further items.
  writePosition_ = ItemExtent(int(count), type, start, length) ? start + length : bufferSize_;
}

bool TIpcMessage::AppendItem(const void* bytes, std::uint32_t length, TIpcItemType type) {
  const std::uint32_t count = ItemCount();
  const std::uint64_t copied = std::uint64_t(length) + (type == itString ? 1 : 0);
  if (count >= std::uint32_t(kIpcMaxItems) || writePosition_ > bufferSize_ || copied > bufferSize_ - writePosition_) {
    return false;
  }
  std::memcpy(buffer_ + writePosition_, bytes, std::size_t(copied));
  std::uint8_t* descriptor = Descriptor(buffer_, int(count) + 1);
  descriptor[0] = type;
  WriteLe32(descriptor + 1, std::uint32_t(writePosition_ - kIpcHeaderSize));
  WriteLe32(descriptor + 5, std::uint32_t(copied));
  WriteLe32(buffer_ + kCountOffset, count + 1);
  writePosition_ += std::size_t(copied);
  validBytes_ = std::max(validBytes_, writePosition_);
  return true;
}

bool TIpcMessage::NameIs(const char* name) const {
  const std::size_t length = NameLength(buffer_);
  if (std::strlen(name) != length) return false;
  for (std::size_t i = 0; i < length; ++i) {
    if (std::tolower(buffer_[i]) != std::tolower(static_cast<unsigned char>(name[i]))) return false;
  }
  return true;
}

bool TIpcMessage::NameStartsWith(const char* prefix) const {
  const std::size_t length = std::strlen(prefix);
  return length <= NameLength(buffer_) && std::memcmp(buffer_, prefix, length) == 0;
}

bool TIpcMessage::ItemExtent(int index, std::uint8_t& type, std::size_t& start, std::uint32_t& length) const {
  if (index < 1 || index > kIpcMaxItems || std::uint32_t(index) > ItemCount()) return false;
  const std::uint8_t* descriptor = Descriptor(buffer_, index);
  type = descriptor[0];
  const std::uint64_t offset = ReadLe32(descriptor + 1);
  length = ReadLe32(descriptor + 5);
  const std::uint64_t begin = kIpcHeaderSize + offset;
  if (begin + length > validBytes_) return false;
  start = std::size_t(begin);
  return true;
}

TIpcStatus TIpcMessage::GetItemRef(int index, TIpcItemType type, const std::uint8_t*& data,
                                   std::uint32_t& length) const {
  std::uint8_t actualType = 0;
  std::size_t start = 0;
  if (!ItemExtent(index, actualType, start, length) || actualType != type) return isItemMissing;
  data = buffer_ + start;
  return isNone;
}

TIpcStatus TIpcMessage::GetItemValue(int index, TIpcItemType type, void* destination, std::size_t size) const {
  const std::uint8_t* data = nullptr;
  std::uint32_t length = 0;
  const TIpcStatus status = GetItemRef(index, type, data, length);
  if (status != isNone) return status;
  std::memcpy(destination, data, std::min<std::size_t>(length, size));
  return length > size ? isItemTooLong : isNone;
}

TIpcStatus TIpcMessage::GetItemText(int index, std::string& text) const {
  const std::uint8_t* data = nullptr;
  std::uint32_t length = 0;
  const TIpcStatus status = GetItemRef(index, itString, data, length);
  if (status != isNone) return status;
  const void* nul = std::memchr(data, 0, length);
  const std::size_t characters = nul ? std::size_t(static_cast<const std::uint8_t*>(nul) - data) : length;
  text.assign(reinterpret_cast<const char*>(data), characters);
  return isNone;
}

void TIpcMessage::ClearItems() {
  const std::uint32_t count = std::min<std::uint32_t>(ItemCount(), kIpcMaxItems);
  for (int index = 1; index <= int(count); ++index) {
    std::uint8_t type = 0;
    std::size_t start = 0;
    std::uint32_t length = 0;
    if (ItemExtent(index, type, start, length)) std::memset(buffer_ + start, 0, length);
  }
  WriteLe32(buffer_ + kCountOffset, 0);
}

std::int32_t TIpcMessage::Status() const { return std::int32_t(ReadLe32(buffer_ + kStatusOffset)); }

void TIpcMessage::SetStatus(TIpcStatus status) { WriteLe32(buffer_ + kStatusOffset, std::uint32_t(status)); }

std::uint32_t TIpcMessage::Capacity() const { return ReadLe32(buffer_ + kCapacityOffset); }

std::uint32_t TIpcMessage::ItemCount() const { return ReadLe32(buffer_ + kCountOffset); }

}  // namespace reelbridge
