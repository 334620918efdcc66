#include "quill/imaging/Stream.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "quill/base/Errors.h"

namespace quill {

namespace {

// ReadBuffer and WriteBuffer move large blocks in pieces a 32-bit count can hold.
constexpr std::size_t kMaxChunk = std::size_t(1) << 30;

std::int64_t SeekFrom(std::int64_t position, std::int64_t size, std::int64_t offset, TSeekOrigin origin) {
  switch (origin) {
    case soBeginning:
      return offset;
    case soCurrent:
      return SaturatingAdd(position, offset);
    case soEnd:
      return SaturatingAdd(size, offset);
  }
  return position;
}

// Copies what a read of count bytes at position gets from a block of size bytes.
std::int32_t ReadFrom(const std::uint8_t* data, std::int64_t size, std::int64_t& position, void* buffer,
                      std::int32_t count) {
  if (count <= 0 || position < 0 || position >= size) return 0;
  const std::int32_t n = std::int32_t(std::min<std::int64_t>(count, size - position));
  std::memcpy(buffer, data + position, std::size_t(n));
  position += n;
  return n;
}

}  // namespace

std::int64_t SaturatingAdd(std::int64_t a, std::int64_t b) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  if (b > 0 && a > kMax - b) return kMax;
  if (b < 0 && a < kMin - b) return kMin;
  return a + b;
}

std::int64_t TStream::Size() {
  const std::int64_t position = Position();
  const std::int64_t size = Seek(0, soEnd);
  SetPosition(position);
  return size;
}

std::int64_t TStream::Remaining() {
  const std::int64_t position = Position();
  const std::int64_t size = Size();
  if (position < 0) return 0;  // reads there yield nothing
  return std::max<std::int64_t>(size - position, 0);
}

void TStream::ReadBuffer(void* buffer, std::size_t count) {
  auto* out = static_cast<std::uint8_t*>(buffer);
  while (count > 0) {
    const std::size_t chunk = std::min(count, kMaxChunk);
    if (Read(out, std::int32_t(chunk)) != std::int32_t(chunk)) throw EFileError(kStreamReadError);
    out += chunk;
    count -= chunk;
  }
}

void TStream::WriteBuffer(const void* buffer, std::size_t count) {
  auto* in = static_cast<const std::uint8_t*>(buffer);
  while (count > 0) {
    const std::size_t chunk = std::min(count, kMaxChunk);
    if (Write(in, std::int32_t(chunk)) != std::int32_t(chunk)) throw EFileError(kStreamWriteError);
    in += chunk;
    count -= chunk;
  }
}

std::int32_t TMemoryStream::Read(void* buffer, std::int32_t count) {
  return ReadFrom(bytes_.data(), Size(), position_, buffer, count);
}

std::int32_t TMemoryStream::Write(const void* buffer, std::int32_t count) {
  if (count <= 0 || position_ < 0) return 0;
  const std::uint64_t end = std::uint64_t(position_) + std::uint64_t(count);
  if (end > std::numeric_limits<std::size_t>::max() / 2) return 0;
  if (end > bytes_.size()) {
    try {
      bytes_.resize(std::size_t(end));
    } catch (const std::bad_alloc&) {
      return 0;
    }
  }
  std::memcpy(bytes_.data() + position_, buffer, std::size_t(count));
  position_ = std::int64_t(end);
  return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  position_ = SeekFrom(position_, Size(), offset, origin);
  return position_;
}

std::int32_t TMemoryViewStream::Read(void* buffer, std::int32_t count) {
  return ReadFrom(data_, Size(), position_, buffer, count);
}

std::int64_t TMemoryViewStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  position_ = SeekFrom(position_, Size(), offset, origin);
  return position_;
}

}  // namespace quill
