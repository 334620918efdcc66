#pragma once
// The named message block that travels between the two IPC windows:
//
//   0  name, 20 bytes, NUL-terminated      20  status (TIpcStatus)
//   24 capacity: size of the whole block   28  item count, 0 to 3
//   32, 41, 50: three 9-byte item descriptors, packed: type byte, data offset
//      counted from byte 59, data length (32-bit little-endian each)
//   59 item data, packed in item order
//
// A block received from the movie side is foreign: every descriptor is checked
// against the bytes actually received, and nothing is ever read or written
// outside the buffer the message was opened on.
#include <cstddef>
#include <cstdint>
#include <string>

namespace reelbridge {

constexpr std::size_t kIpcNameSize = 20;
constexpr std::size_t kIpcHeaderSize = 59;
constexpr int kIpcMaxItems = 3;

enum TIpcStatus : std::int32_t {
  isNone = 0,
  isItemMissing = 1,  // item missing or of another type
  isItemTooLong = 2,  // item longer than the receiving variable
  isUnknownRequest = 3,
};

enum TIpcItemType : std::uint8_t { itLong = 'l', itString = 's', itBytes = 'b' };

class TIpcMessage {
 public:
  // Zeroes the first `capacity` bytes (at most bufferSize), stores the
  // capacity, copies at most 19 characters of the name; the write position
  // and the used length become 59.
  void BeginMessage(std::uint8_t* buffer, std::size_t bufferSize, std::uint32_t capacity, const char* name);
  // Opens a block of which `receivedBytes` (at most bufferSize) were received.
  // Items are valid only when their data lies inside the received bytes. The
  // write position goes behind the data of the last item (59 when none).
  void OpenMessage(std::uint8_t* buffer, std::size_t bufferSize, std::size_t receivedBytes);

  // Appends an item at the write position; for `s` the NUL travels too, so
  // length + 1 bytes are copied. False, and the block unchanged, when three
  // items are there already or the data would pass the buffer's end.
  bool AppendItem(const void* bytes, std::uint32_t length, TIpcItemType type);

  // The name compared without regard to case.
  bool NameIs(const char* name) const;
  // True when the name begins with `prefix`, case counting.
  bool NameStartsWith(const char* prefix) const;

  // Items are numbered from 1. Each returns isNone, isItemMissing (index out
  // of range, other type, or data outside the received bytes) or, by value,
  // isItemTooLong.
  // By reference: `data` points at the item data inside the block.
  TIpcStatus GetItemRef(int index, TIpcItemType type, const std::uint8_t*& data, std::uint32_t& length) const;
  // By value: min(item length, size) bytes are copied; isItemTooLong when the
  // item is longer (the shortened copy stays in the destination).
  TIpcStatus GetItemValue(int index, TIpcItemType type, void* destination, std::size_t size) const;
  // A text item by reference, as a string: its characters up to the first NUL
  // inside the item, or all of its bytes when it carries none.
  TIpcStatus GetItemText(int index, std::string& text) const;

  // Zeroes the data of every item and sets the count to 0; the write position
  // stays behind the old data.
  void ClearItems();

  std::int32_t Status() const;
  void SetStatus(TIpcStatus status);
  std::uint32_t Capacity() const;
  std::uint32_t ItemCount() const;
  // 59 plus the bytes of item data written or opened.
  std::size_t UsedLength() const { return writePosition_; }
  std::uint8_t* Block() const { return buffer_; }

 private:
  bool ItemExtent(int index, std::uint8_t& type, std::size_t& start, std::uint32_t& length) const;

  std::uint8_t* buffer_ = nullptr;
  std::size_t bufferSize_ = 0;
  std::size_t validBytes_ = 0;  // bytes that hold the message (received or built)
  std::size_t writePosition_ = kIpcHeaderSize;
};

}  // namespace reelbridge
