#pragma once
// The numbers of the BMP file layout that the reader and the writer share, and
// the fixed texts a broken BMP file is refused with.
#include <cstdint>

namespace quill {

namespace bmp {

constexpr std::uint16_t kSignature = 0x4D42;  // "BM" little-endian
constexpr std::uint32_t kFileHeaderSize = 14;

// Information header sizes Windows writes and reads.
constexpr std::uint32_t kCoreHeaderSize = 12;  // 16-bit width and height, no compression
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kV2HeaderSize = 52;   // adds red, green and blue masks
constexpr std::uint32_t kV3HeaderSize = 56;   // adds the alpha mask
constexpr std::uint32_t kV4HeaderSize = 108;  // adds colour space and gamma
constexpr std::uint32_t kV5HeaderSize = 124;  // adds rendering intent and profile
constexpr std::uint32_t kMasksOffset = 40;    // offset of the masks inside a V2+ header

// Compression codes.
constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitfields = 3;
constexpr std::uint32_t kAlphaBitfields = 6;

constexpr std::uint32_t kCoreEntrySize = 3;  // blue, green, red
constexpr std::uint32_t kInfoEntrySize = 4;  // blue, green, red, 0

// Channel masks of the layouts the plain bitmap stores as they are.
constexpr std::uint32_t kRed555 = 0x7C00, kGreen555 = 0x03E0, kBlue555 = 0x001F;
constexpr std::uint32_t kRed565 = 0xF800, kGreen565 = 0x07E0, kBlue565 = 0x001F;
constexpr std::uint32_t kRed888 = 0x00FF0000, kGreen888 = 0x0000FF00, kBlue888 = 0x000000FF;
constexpr std::uint32_t kAlpha8888 = 0xFF000000;

}  // namespace bmp

// The file does not start with "BM".
inline const char* const kBitmapNotBmp = "Invalid bitmap";
// Truncated data, impossible sizes, offsets or counts, a bad dimension or plane count.
inline const char* const kBitmapNotValid = "Bitmap image is not valid";
// A well-formed file of a kind this reader does not decode (header size, bit count,
// compression, channel masks).
inline const char* const kBitmapUnsupported = "Unsupported bitmap format";

}  // namespace quill
