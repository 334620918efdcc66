#include "quill/imaging/FakeDIBFileStream.h"

#include <algorithm>
#include <cstring>

#include "quill/imaging/DIB.h"

namespace quill {

namespace {

std::uint32_t DIBSize(const TDIBImage* image) { return image ? std::uint32_t(image->Size()) : 0; }

}  // namespace

TFakeDIBFileStream::TFakeDIBFileStream(std::shared_ptr<const TDIBImage> image) : image_(std::move(image)) {
  fileHeader_ = MakeBmpFileHeader(DIBSize(image_.get()), image_ ? std::uint32_t(image_->PixelOffset()) : 0);
}

std::int64_t TFakeDIBFileStream::Size() { return std::int64_t(DIBSize(image_.get())) + kBmpFileHeaderSize; }

std::int32_t TFakeDIBFileStream::Read(void* buffer, std::int32_t count) {
  const std::int64_t size = Size();
  if (position_ < 0 || count <= 0 || position_ >= size) return 0;
  const std::int32_t n = std::int32_t(std::min<std::int64_t>(count, size - position_));
  auto* out = static_cast<std::uint8_t*>(buffer);
  std::int32_t fromHeader = 0;
  if (position_ < kBmpFileHeaderSize) {
    fromHeader = std::min<std::int32_t>(n, std::int32_t(kBmpFileHeaderSize - position_));
    std::memcpy(out, fileHeader_.data() + position_, std::size_t(fromHeader));
  }
  if (n > fromHeader) {
    const std::int64_t dibPosition = position_ + fromHeader - kBmpFileHeaderSize;
    std::memcpy(out + fromHeader, image_->Header() + dibPosition, std::size_t(n - fromHeader));
  }
  position_ += n;
  return n;
}

std::int64_t TFakeDIBFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  switch (origin) {
    case soBeginning:
      position_ = offset;
      break;
    case soCurrent:
      position_ = SaturatingAdd(position_, offset);
      break;
    case soEnd:
      position_ = SaturatingAdd(Size(), offset);
      break;
  }
  return position_;
}

}  // namespace quill
