#include "quill/imaging/DIBAccess.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <limits>
#include <new>

#include "quill/imaging/Errors.h"

namespace quill {

namespace {

constexpr std::uint16_t kBitmapSignature = 0x4D42;  // "BM"
constexpr std::uint32_t kUncompressed = 0;
constexpr const char* kAllocationFailed = "Failed to allocate memory for GIF DIB";

void Put16(std::uint8_t* p, std::uint16_t v) {
  p[0] = std::uint8_t(v);
  p[1] = std::uint8_t(v >> 8);
}

void Put32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = std::uint8_t(v >> (8 * i));
}

}  // namespace

TDIBReader::TDIBReader(TBitmap& source) : TDIBAccess(source, pf24bit) { source.SetPixelFormat(pf24bit); }

const std::uint8_t* TDIBReader::RowPointer(int row) const { return Bitmap().ScanLine(row); }

TDIBWriter::TDIBWriter(TBitmap& target, const TPalette* palette, int height, int width, TPixelFormat format)
    : TDIBAccess(target, format),
      palette_(palette),
      height_(height),
      width_(width),
      bitsPerPixel_(0),
      headerSize_(0),
      uncaughtOnEntry_(std::uncaught_exceptions()) {
  if (format != pf8bit && format != pf24bit) throw GIFException("Unsupported PixelFormat");
  if (width <= 0 || height <= 0) throw GIFException("Invalid image dimensions");
  bitsPerPixel_ = BitsPerPixel(format);
  headerSize_ = kInfoHeaderSize + (format == pf8bit ? std::size_t(kColourTableEntries) * 4 : 0);
}

TDIBWriter::~TDIBWriter() {
  // While an exception unwinds, the result is being thrown away anyway.
  if (!dib_ || std::uncaught_exceptions() != uncaughtOnEntry_) return;
  try {
    Finish();
  } catch (...) {
  }
}

std::uint8_t* TDIBWriter::RowPointer(int row) {
  if (!dib_) BuildDIB();
  if (pixels_ == nullptr) throw GIFException("Image has no DIB");
  if (row < 0 || row >= height_) throw EInvalidGraphicOperation("Scan line index out of range");
  return pixels_ + std::size_t(height_ - 1 - row) * rowSize_;
}

void TDIBWriter::BuildDIB() {
  // Sizes in 64 bits: the file size field of a BMP is 32 bits, and so is
  // size_t in the 32-bit program.
  const std::uint64_t rowSize = (std::uint64_t(width_) * std::uint64_t(bitsPerPixel_) + 31) / 32 * 4;
  const std::uint64_t pixelsSize = rowSize * std::uint64_t(height_);
  const std::uint64_t fileSize = kFileHeaderSize + headerSize_ + pixelsSize;
  const std::uint64_t limit =
      std::min<std::uint64_t>(std::numeric_limits<std::uint32_t>::max(), std::numeric_limits<std::size_t>::max());
  if (fileSize > limit) throw EOutOfMemory(kAllocationFailed);
  // Left uninitialised: every pixel byte is written by the rows' user, and
  // filling megabytes with zeros first would cost as much as the work.
  dib_.reset(new (std::nothrow) std::uint8_t[std::size_t(fileSize)]);
  if (!dib_) throw EOutOfMemory(kAllocationFailed);
  dibSize_ = std::size_t(fileSize);
  rowSize_ = std::size_t(rowSize);
  pixelsSize_ = std::size_t(pixelsSize);
  std::memset(dib_.get(), 0, kFileHeaderSize + headerSize_);
  WriteHeaderBlock(dib_.get() + kFileHeaderSize);
  pixels_ = dib_.get() + kFileHeaderSize + headerSize_;
  // The padding at the end of each row is cleared, so the stored file does
  // not depend on what the memory held before.
  const std::size_t used = (std::size_t(width_) * std::size_t(bitsPerPixel_) + 7) / 8;
  if (used < rowSize_)
    for (int r = 0; r < height_; ++r) std::memset(pixels_ + std::size_t(r) * rowSize_ + used, 0, rowSize_ - used);
}

void TDIBWriter::WriteHeaderBlock(std::uint8_t* header) const {
  int taken = 0;
  if (bitsPerPixel_ == 8 && palette_ != nullptr) {
    TPaletteEntry entries[kColourTableEntries];
    taken = palette_->GetEntries(0, kColourTableEntries, entries);
    // Colour-table entries are blue, green, red, 0; the rest stay zero.
    std::uint8_t* table = header + kInfoHeaderSize;
    for (int i = 0; i < taken; ++i) {
      table[4 * i + 0] = entries[i].Blue;
      table[4 * i + 1] = entries[i].Green;
      table[4 * i + 2] = entries[i].Red;
      table[4 * i + 3] = 0;
    }
  }
  const bool paletted = bitsPerPixel_ == 8;
  Put32(header + 0, kInfoHeaderSize);
  Put32(header + 4, std::uint32_t(width_));
  Put32(header + 8, std::uint32_t(height_));  // positive: rows stored bottom-up
  Put16(header + 12, 1);                      // planes
  Put16(header + 14, std::uint16_t(bitsPerPixel_));
  Put32(header + 16, kUncompressed);
  Put32(header + 20, 0);  // image size, implied for uncompressed rows
  Put32(header + 24, 0);  // horizontal resolution
  Put32(header + 28, 0);  // vertical resolution
  Put32(header + 32, paletted ? kColourTableEntries : 0);
  Put32(header + 36, paletted ? std::uint32_t(taken) : 0);
}

void TDIBWriter::Finish() {
  if (!dib_) return;
  // The blocks are released whatever the loading does.
  const std::unique_ptr<std::uint8_t[]> file = std::move(dib_);
  const std::size_t size = dibSize_;
  dibSize_ = 0;
  pixels_ = nullptr;
  Put16(file.get() + 0, kBitmapSignature);
  Put32(file.get() + 2, std::uint32_t(size));
  Put16(file.get() + 6, 0);
  Put16(file.get() + 8, 0);
  Put32(file.get() + 10, std::uint32_t(kFileHeaderSize + headerSize_));
  Bitmap().LoadFromStream(file.get(), size);
}

}  // namespace quill
