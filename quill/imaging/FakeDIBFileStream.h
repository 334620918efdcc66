#pragma once
// A read-only stream that presents a DIB image as a complete BMP file without
// copying it: a 14-byte file header kept here, then the image's packed DIB.
#include <array>
#include <cstdint>
#include <memory>

#include "quill/imaging/PackedDIB.h"
#include "quill/imaging/Stream.h"

namespace quill {

class TDIBImage;

class TFakeDIBFileStream : public TStream {
 public:
  // Keeps the image alive for the stream's life; a null image reads as a bare
  // file header.
  explicit TFakeDIBFileStream(std::shared_ptr<const TDIBImage> image);

  // Nothing when the position is negative or at or past the end, or the count
  // is 0 or less; otherwise min(count, Size - position) bytes, the first 14 of
  // the file coming from the synthetic header.
  std::int32_t Read(void* buffer, std::int32_t count) override;
  // Stores nothing.
  std::int32_t Write(const void*, std::int32_t) override { return 0; }
  // From the start, the position or the end (DIB size + 14); any value is kept.
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override;

  const std::array<std::uint8_t, kBmpFileHeaderSize>& FileHeader() const { return fileHeader_; }

 private:
  std::shared_ptr<const TDIBImage> image_;
  std::array<std::uint8_t, kBmpFileHeaderSize> fileHeader_{};
  std::int64_t position_ = 0;
};

}  // namespace quill
