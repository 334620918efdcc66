#pragma once
// The packed device-independent bitmap: a 40-byte information header, the
// colour table (blue, green, red, 0 per entry) and the pixel rows, bottom row
// first, each padded to whole 32-bit words. It is a BMP file without its
// 14-byte file header and the form of a CF_DIB clipboard item.
//
// Everything here reads foreign bytes: sizes are computed in 64 bits and every
// header is checked before anything is allocated from it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace quill {

constexpr std::uint16_t kBmpSignature = 0x4D42;  // "BM"
constexpr std::uint32_t kBmpFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kColourEntrySize = 4;
constexpr std::uint32_t kCoreColourEntrySize = 3;
constexpr std::uint32_t kMaxColourTableEntries = 256;

// Byte offsets of the information header's fields.
constexpr std::size_t kBiSize = 0;
constexpr std::size_t kBiWidth = 4;
constexpr std::size_t kBiHeight = 8;
constexpr std::size_t kBiPlanes = 12;
constexpr std::size_t kBiBitCount = 14;
constexpr std::size_t kBiCompression = 16;
constexpr std::size_t kBiSizeImage = 20;
constexpr std::size_t kBiClrUsed = 32;
constexpr std::size_t kBiClrImportant = 36;

inline const char* const kInvalidBitmap = "Invalid bitmap";
inline const char* const kInvalidBitmapFormat = "Invalid bitmap format";
inline const char* const kUnknownClipboardFormat = "Unknown clipboard format";

std::uint16_t GetLE16(const std::uint8_t* p);
std::uint32_t GetLE32(const std::uint8_t* p);
void PutLE16(std::uint8_t* p, std::uint16_t v);
void PutLE32(std::uint8_t* p, std::uint32_t v);

// Colour-table entries a header without a count implies: 2, 16 or 256 for
// 1, 4 and 8 bits per pixel, none for deeper pixels.
std::uint32_t DefaultColourCount(int bitCount);

// What a checked header says about the block it starts.
struct TDIBLayout {
  std::uint32_t HeaderSize = kInfoHeaderSize;  // of the source: 12 or 40
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::uint16_t Planes = 1;
  std::uint16_t BitCount = 0;
  std::uint32_t Entries = 0;  // colour-table entries
  std::uint32_t RowBytes = 0;
  std::uint32_t PixelBytes = 0;

  std::uint32_t SourceTableBytes() const {
    return Entries * (HeaderSize == kCoreHeaderSize ? kCoreColourEntrySize : kColourEntrySize);
  }
  // Offset of the pixel rows in the packed (40-byte header) form, and its size.
  std::uint32_t PixelOffset() const { return kInfoHeaderSize + Entries * kColourEntrySize; }
  std::uint32_t PackedSize() const { return PixelOffset() + PixelBytes; }
};

// Checks a header of headerSize bytes from foreign data. Throws EInvalidGraphic:
// - an empty message for a header size other than 12 or 40;
// - kInvalidBitmapFormat for layouts this reader does not take: compression or
//   bit-field masks, top-down rows (negative height), planes other than 1,
//   depths other than 1, 4, 8, 16, 24, 32 (1, 4, 8, 24 for core headers);
// - kInvalidBitmap for a width below 1, a height of 0, or more colours than the
//   depth can use (256 at most);
// - kPictureTooLarge (ImageLimits.h) above the picture size cap.
TDIBLayout ParseDIBHeader(const std::uint8_t* header, std::uint32_t headerSize);

// The packed form's 40-byte header: a 40-byte source header is copied with its
// colours-used field set to the entry count; a core header is widened (no
// compression, image size = pixel bytes, no resolution, all colours important).
void WritePackedHeader(const TDIBLayout& layout, const std::uint8_t* sourceHeader, std::uint8_t* out);

// The 14-byte file header that makes a BMP file of a packed DIB of dibSize
// bytes whose rows start pixelOffset bytes into it.
std::array<std::uint8_t, kBmpFileHeaderSize> MakeBmpFileHeader(std::uint32_t dibSize, std::uint32_t pixelOffset);

// A new bottom-up packed DIB, all colour entries and pixels 0, colours used =
// entries. Checks the size like ParseDIBHeader; EOutOfMemory "Out of memory"
// when the block cannot be had.
std::vector<std::uint8_t> NewPackedDIB(std::int32_t width, std::int32_t height, int bitCount, std::uint32_t entries);

// A zeroed block; EOutOfMemory "Out of memory" when it cannot be had.
std::vector<std::uint8_t> AllocateBlock(std::size_t size);

}  // namespace quill
