#pragma once
// Byte streams with the framework's semantics: Read and Write move at most the
// requested count and say how much they moved; ReadBuffer and WriteBuffer move
// all of it or throw. Positions are 64-bit and may be set anywhere, also before
// the start or past the end; reading there yields nothing.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace quill {

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

// The messages of a stream that runs out or refuses bytes (raised as EFileError).
inline const char* const kStreamReadError = "Stream read error";
inline const char* const kStreamWriteError = "Stream write error";

class TStream {
 public:
  virtual ~TStream() = default;
  // Copies up to count bytes from the current position; returns the number
  // copied, 0 for a count of 0 or less or a position outside the data.
  virtual std::int32_t Read(void* buffer, std::int32_t count) = 0;
  virtual std::int32_t Write(const void* buffer, std::int32_t count) = 0;
  // Moves the position relative to the origin and returns the new position.
  virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
  virtual std::int64_t Size();

  std::int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(std::int64_t position) { Seek(position, soBeginning); }
  // Bytes from the position to the end; 0 when the position is past the end.
  std::int64_t Remaining();

  // Throw EFileError kStreamReadError / kStreamWriteError when short.
  void ReadBuffer(void* buffer, std::size_t count);
  void WriteBuffer(const void* buffer, std::size_t count);
};

// Adds without overflowing: positions of the streams saturate at the int64 range.
std::int64_t SaturatingAdd(std::int64_t a, std::int64_t b);

// A growable stream over bytes it owns; writing past the end extends it
// (a gap is filled with zeros).
class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

  std::int32_t Read(void* buffer, std::int32_t count) override;
  std::int32_t Write(const void* buffer, std::int32_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override { return std::int64_t(bytes_.size()); }

  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
  std::int64_t position_ = 0;
};

// A read-only stream over bytes that someone else owns and keeps alive.
class TMemoryViewStream : public TStream {
 public:
  TMemoryViewStream(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  explicit TMemoryViewStream(const std::vector<std::uint8_t>& bytes) : data_(bytes.data()), size_(bytes.size()) {}
  // A temporary would be gone before the first read.
  explicit TMemoryViewStream(std::vector<std::uint8_t>&&) = delete;

  std::int32_t Read(void* buffer, std::int32_t count) override;
  std::int32_t Write(const void*, std::int32_t) override { return 0; }
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override { return std::int64_t(size_); }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::int64_t position_ = 0;
};

}  // namespace quill
