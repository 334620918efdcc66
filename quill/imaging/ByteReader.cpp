#include "quill/imaging/ByteReader.h"

#include "quill/base/Errors.h"

namespace quill {

void TByteReader::Fail() const { throw EInvalidGraphic(errorText_); }

void TByteReader::Seek(std::uint64_t position) {
  if (position > size_) Fail();
  position_ = std::size_t(position);
}

void TByteReader::Skip(std::uint64_t count) {
  if (!CanRead(count)) Fail();
  position_ += std::size_t(count);
}

std::uint8_t TByteReader::ReadU8() { return *ReadBytes(1); }

std::uint16_t TByteReader::ReadU16() {
  const std::uint8_t* p = ReadBytes(2);
  return std::uint16_t(p[0] | (p[1] << 8));
}

std::uint32_t TByteReader::ReadU32() {
  const std::uint8_t* p = ReadBytes(4);
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

std::int32_t TByteReader::ReadI32() {
  // Two's complement reinterpretation, well defined through the unsigned value.
  const std::uint32_t u = ReadU32();
  return u <= 0x7FFFFFFFu ? std::int32_t(u) : -std::int32_t(~u) - 1;
}

const std::uint8_t* TByteReader::ReadBytes(std::uint64_t count) {
  if (!CanRead(count)) Fail();
  const std::uint8_t* p = data_ + position_;
  position_ += std::size_t(count);
  return p;
}

}  // namespace quill
