#include "quill/imaging/PackedDIB.h"

#include <algorithm>
#include <limits>
#include <new>

#include "quill/base/Errors.h"
#include "quill/imaging/ImageLimits.h"

namespace quill {

namespace {

constexpr std::uint32_t kCompressionNone = 0;  // BI_RGB; RLE and bit-field masks are refused
inline const char* const kOutOfMemory = "Out of memory";

bool IsReadableDepth(int bitCount, bool coreHeader) {
  switch (bitCount) {
    case 1:
    case 4:
    case 8:
    case 24:
      return true;
    case 16:
    case 32:
      return !coreHeader;
    default:
      return false;
  }
}

// The largest colour count a depth can use: all its indices, or for direct
// colour an optional table of at most 256 entries.
std::uint32_t MaxColourCount(int bitCount) {
  return bitCount <= 8 ? (std::uint32_t(1) << bitCount) : kMaxColourTableEntries;
}

// Fills in the sizes after the fields are known to be sane.
void ComputeSizes(TDIBLayout& layout) {
  CheckPictureSize(layout.Width, layout.Height);
  const std::uint64_t rowBytes = PaddedRowBytes(layout.Width, layout.BitCount);
  const std::uint64_t pixelBytes = rowBytes * std::uint64_t(layout.Height);
  // The cap keeps this far below 4 GB; the check guards the 32-bit fields anyway.
  const std::uint64_t packed = kInfoHeaderSize + std::uint64_t(layout.Entries) * kColourEntrySize + pixelBytes;
  if (packed > std::numeric_limits<std::uint32_t>::max() / 2) throw EInvalidGraphic(kPictureTooLarge);
  layout.RowBytes = std::uint32_t(rowBytes);
  layout.PixelBytes = std::uint32_t(pixelBytes);
}

}  // namespace

std::uint16_t GetLE16(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }

std::uint32_t GetLE32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}

void PutLE16(std::uint8_t* p, std::uint16_t v) {
  p[0] = std::uint8_t(v);
  p[1] = std::uint8_t(v >> 8);
}

void PutLE32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = std::uint8_t(v >> (8 * i));
}

std::uint32_t DefaultColourCount(int bitCount) {
  switch (bitCount) {
    case 1:
      return 2;
    case 4:
      return 16;
    case 8:
      return 256;
    default:
      return 0;
  }
}

TDIBLayout ParseDIBHeader(const std::uint8_t* header, std::uint32_t headerSize) {
  TDIBLayout layout;
  layout.HeaderSize = headerSize;
  std::int64_t width = 0;
  std::int64_t height = 0;
  std::uint32_t colourCount = 0;
  if (headerSize == kCoreHeaderSize) {
    // Core header: 16-bit unsigned width and height, planes, bit count; its
    // colour table is always the full one its depth implies.
    width = GetLE16(header + 4);
    height = GetLE16(header + 6);
    layout.Planes = GetLE16(header + 8);
    layout.BitCount = GetLE16(header + 10);
  } else if (headerSize == kInfoHeaderSize) {
    width = std::int32_t(GetLE32(header + kBiWidth));
    height = std::int32_t(GetLE32(header + kBiHeight));
    layout.Planes = GetLE16(header + kBiPlanes);
    layout.BitCount = GetLE16(header + kBiBitCount);
    if (GetLE32(header + kBiCompression) != kCompressionNone) throw EInvalidGraphic(kInvalidBitmapFormat);
    colourCount = GetLE32(header + kBiClrUsed);
  } else {
    throw EInvalidGraphic("");
  }
  if (!IsReadableDepth(layout.BitCount, headerSize == kCoreHeaderSize) || layout.Planes != 1 || height < 0)
    throw EInvalidGraphic(kInvalidBitmapFormat);
  if (width < 1 || height < 1 || colourCount > MaxColourCount(layout.BitCount)) throw EInvalidGraphic(kInvalidBitmap);
  layout.Width = std::int32_t(width);
  layout.Height = std::int32_t(height);
  layout.Entries = colourCount != 0 ? colourCount : DefaultColourCount(layout.BitCount);
  ComputeSizes(layout);
  return layout;
}

void WritePackedHeader(const TDIBLayout& layout, const std::uint8_t* sourceHeader, std::uint8_t* out) {
  if (layout.HeaderSize == kInfoHeaderSize) {
    std::copy(sourceHeader, sourceHeader + kInfoHeaderSize, out);
    PutLE32(out + kBiClrUsed, layout.Entries);
    return;
  }
  std::fill(out, out + kInfoHeaderSize, std::uint8_t(0));
  PutLE32(out + kBiSize, kInfoHeaderSize);
  PutLE32(out + kBiWidth, std::uint32_t(layout.Width));
  PutLE32(out + kBiHeight, std::uint32_t(layout.Height));
  PutLE16(out + kBiPlanes, layout.Planes);
  PutLE16(out + kBiBitCount, layout.BitCount);
  PutLE32(out + kBiCompression, kCompressionNone);
  PutLE32(out + kBiSizeImage, layout.PixelBytes);
  PutLE32(out + kBiClrUsed, layout.Entries);
  PutLE32(out + kBiClrImportant, layout.Entries);
}

std::array<std::uint8_t, kBmpFileHeaderSize> MakeBmpFileHeader(std::uint32_t dibSize, std::uint32_t pixelOffset) {
  std::array<std::uint8_t, kBmpFileHeaderSize> header{};
  PutLE16(header.data(), kBmpSignature);
  PutLE32(header.data() + 2, dibSize + kBmpFileHeaderSize);
  // bytes 6..9: two reserved 16-bit zeros
  PutLE32(header.data() + 10, pixelOffset + kBmpFileHeaderSize);
  return header;
}

std::vector<std::uint8_t> AllocateBlock(std::size_t size) {
  try {
    return std::vector<std::uint8_t>(size, std::uint8_t(0));
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory(kOutOfMemory);
  } catch (const std::length_error&) {
    throw EOutOfMemory(kOutOfMemory);
  }
}

std::vector<std::uint8_t> NewPackedDIB(std::int32_t width, std::int32_t height, int bitCount, std::uint32_t entries) {
  std::uint8_t header[kInfoHeaderSize] = {};
  PutLE32(header + kBiSize, kInfoHeaderSize);
  PutLE32(header + kBiWidth, std::uint32_t(width));
  PutLE32(header + kBiHeight, std::uint32_t(height));
  PutLE16(header + kBiPlanes, 1);
  PutLE16(header + kBiBitCount, std::uint16_t(bitCount));
  PutLE32(header + kBiClrUsed, entries);
  PutLE32(header + kBiClrImportant, entries);
  TDIBLayout layout = ParseDIBHeader(header, kInfoHeaderSize);
  PutLE32(header + kBiSizeImage, layout.PixelBytes);
  std::vector<std::uint8_t> block = AllocateBlock(layout.PackedSize());
  WritePackedHeader(layout, header, block.data());
  return block;
}

}  // namespace quill
