#pragma once
// Little-endian reads from a block of foreign bytes. Every read is checked
// against the end of the block; running past it throws EInvalidGraphic with
// the text the owner chose, so a decoder never reads memory it was not given.
#include <cstddef>
#include <cstdint>

namespace quill {

class TByteReader {
 public:
  TByteReader(const std::uint8_t* data, std::size_t size, const char* errorText)
      : data_(data), size_(data ? size : 0), errorText_(errorText) {}

  std::size_t Size() const { return size_; }
  std::size_t Position() const { return position_; }
  std::size_t Remaining() const { return size_ - position_; }
  bool CanRead(std::uint64_t count) const { return count <= Remaining(); }

  // Positions may be given as 64-bit values computed from header fields; any
  // position past the end of the block fails (the end itself is allowed).
  void Seek(std::uint64_t position);
  void Skip(std::uint64_t count);

  std::uint8_t ReadU8();
  std::uint16_t ReadU16();
  std::uint32_t ReadU32();
  std::int32_t ReadI32();
  // Returns the next count bytes in place and steps over them.
  const std::uint8_t* ReadBytes(std::uint64_t count);

  [[noreturn]] void Fail() const;

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
  const char* errorText_;
};

}  // namespace quill
