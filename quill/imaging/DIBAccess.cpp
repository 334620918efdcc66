#include "quill/imaging/DIBAccess.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <limits>
#include <new>
#include <utility>

#include "quill/base/Errors.h"
#include "quill/imaging/ImageLimits.h"

namespace quill {

namespace {

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
  if (built_ && std::uncaught_exceptions() == uncaughtOnEntry_) Finish();
}

std::uint8_t* TDIBWriter::RowPointer(int row) {
  if (!built_) Build();
  if (result_.Empty()) throw GIFException("Image has no DIB");
  if (row < 0 || row >= height_) throw EInvalidGraphicOperation("Scan line index out of range");
  return result_.ScanLine(row);
}

void TDIBWriter::Build() {
  // Sizes in 64 bits: the file size field of a BMP is 32 bits, and so is
  // size_t in the 32-bit program. A result whose BMP file could not be
  // addressed is refused as before, though no such file is made any more.
  const std::uint64_t rowSize = PaddedRowBytes(width_, bitsPerPixel_);
  const std::uint64_t pixelsSize = rowSize * std::uint64_t(height_);
  const std::uint64_t fileSize = kFileHeaderSize + headerSize_ + pixelsSize;
  const std::uint64_t limit =
      std::min<std::uint64_t>(std::numeric_limits<std::uint32_t>::max(), std::numeric_limits<std::size_t>::max());
  if (fileSize > limit) throw EOutOfMemory(kAllocationFailed);
  // Loading the result from its BMP file would refuse it past the cap that
  // every decoded picture obeys; so does the writer, before the work.
  CheckPictureSize(width_, height_);

  std::vector<std::uint8_t> header;
  try {
    header.assign(headerSize_, 0);
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory(kAllocationFailed);
  }
  WriteHeaderBlock(header.data());
  try {
    result_.SetUpUnfilled(width_, height_, PixelFormat(), ColourTableOf(header.data()));
  } catch (const EOutOfMemory&) {
    throw EOutOfMemory(kAllocationFailed);
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory(kAllocationFailed);
  }
  header_ = std::move(header);
  rowSize_ = std::size_t(rowSize);
  pixelsSize_ = std::size_t(pixelsSize);
  built_ = true;
  // The padding at the end of each row is cleared, as a loaded bitmap has it.
  const std::size_t used = (std::size_t(width_) * std::size_t(bitsPerPixel_) + 7) / 8;
  if (used < rowSize_)
    for (int r = 0; r < height_; ++r) std::memset(result_.ScanLine(r) + used, 0, rowSize_ - used);
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

std::vector<TPaletteEntry> TDIBWriter::ColourTableOf(const std::uint8_t* header) const {
  // All "colours used" entries, the zero ones included, with zero flags.
  std::vector<TPaletteEntry> table;
  if (bitsPerPixel_ != 8) return table;
  const std::uint8_t* entry = header + kInfoHeaderSize;
  table.reserve(kColourTableEntries);
  for (int i = 0; i < kColourTableEntries; ++i, entry += 4)
    table.push_back(TPaletteEntry{entry[2], entry[1], entry[0], 0});
  return table;
}

void TDIBWriter::Finish() {
  if (!built_) return;
  built_ = false;
  Bitmap() = std::move(result_);
  result_ = TBitmap();
  header_.clear();
  header_.shrink_to_fit();
}

}  // namespace quill
