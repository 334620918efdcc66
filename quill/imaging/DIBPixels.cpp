// The TDIB operations that work on pixel rows: drawing, resizing, taking a
// plain bitmap's pixels, and the palette of the colour table.
#include <algorithm>
#include <array>
#include <cstring>

#include "quill/base/Errors.h"
#include "quill/imaging/Bitmap.h"
#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/DIB.h"
#include "quill/imaging/ImageLimits.h"

namespace quill {

namespace {

constexpr int kBitsPerByte = 8;

// 5-bit channels of 16-bit pixels (x-5-5-5) widen by repeating their top bits,
// so 31 becomes 255 and 0 stays 0.
constexpr std::uint8_t Widen5(unsigned v) { return std::uint8_t((v << 3) | (v >> 2)); }

std::array<TColor32, kMaxColourTableEntries> ColourLookup(const TDIBImage& image) {
  std::array<TColor32, kMaxColourTableEntries> lookup;
  lookup.fill(kOpaqueBlack);
  const std::uint32_t n = std::min(image.ColourCount(), kMaxColourTableEntries);
  for (std::uint32_t i = 0; i < n; ++i) {
    const TPaletteEntry e = image.ColourEntry(i);
    lookup[i] = MakeColour32(e.Red, e.Green, e.Blue);
  }
  return lookup;
}

void DecodeRow(const std::uint8_t* row, int bitCount, int width,
               const std::array<TColor32, kMaxColourTableEntries>& lookup, TColor32* out) {
  switch (bitCount) {
    case 1:  // leftmost pixel in the most significant bit
      for (int x = 0; x < width; ++x) out[x] = lookup[(row[x >> 3] >> (7 - (x & 7))) & 1];
      break;
    case 4:
      for (int x = 0; x < width; ++x) out[x] = lookup[(row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F];
      break;
    case 8:
      for (int x = 0; x < width; ++x) out[x] = lookup[row[x]];
      break;
    case 16:
      for (int x = 0; x < width; ++x) {
        const unsigned v = GetLE16(row + 2 * x);
        out[x] = MakeColour32(Widen5((v >> 10) & 31), Widen5((v >> 5) & 31), Widen5(v & 31));
      }
      break;
    case 24:
      for (int x = 0; x < width; ++x) out[x] = MakeColour32(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
      break;
    case 32:  // the fourth byte is unused in an uncompressed DIB
      for (int x = 0; x < width; ++x) out[x] = MakeColour32(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
      break;
    default:
      break;
  }
}

// Copies the first bitCount bits of a row. A partial last byte keeps only its
// leading (leftmost) pixels so that old padding bits never show up as pixels
// of a wider row.
void CopyLeadingBits(const std::uint8_t* src, std::uint8_t* dst, std::uint64_t bitCount) {
  const std::size_t wholeBytes = std::size_t(bitCount / kBitsPerByte);
  const unsigned restBits = unsigned(bitCount % kBitsPerByte);
  std::memcpy(dst, src, wholeBytes);
  if (restBits != 0) dst[wholeBytes] = std::uint8_t(src[wholeBytes] & (0xFFu << (kBitsPerByte - restBits)));
}

void PackRow(const TBitmap& source, int y, int bitCount, std::size_t rowBytes, std::uint8_t* out) {
  if (bitCount != 16) {
    std::memcpy(out, source.ScanLine(y), std::min(rowBytes, source.RowBytes()));
    return;
  }
  for (int x = 0; x < source.Width(); ++x) {
    const TColor32 c = source.PixelColour(x, y);
    const unsigned v =
        unsigned(RedComponent(c) >> 3) << 10 | unsigned(GreenComponent(c) >> 3) << 5 | unsigned(BlueComponent(c) >> 3);
    PutLE16(out + 2 * x, std::uint16_t(v));
  }
}

}  // namespace

void TDIB::DrawOnto(TBitmap32& dst) const {
  if (!image_) return;
  const TDIBImage& image = *image_;
  const int width = std::min(image.Width(), dst.Width());
  const int height = std::min(image.Height(), dst.Height());
  if (width <= 0 || height <= 0) return;
  const auto lookup = ColourLookup(image);
  for (int y = 0; y < height; ++y) DecodeRow(image.Row(y), image.BitCount(), width, lookup, dst.ScanLine(y));
}

void TDIB::SetWidth(int width) { Resize(width, Height()); }

void TDIB::SetHeight(int height) { Resize(Width(), height); }

void TDIB::Resize(int width, int height) {
  if (!image_) throw EInvalidGraphicOperation(kEmptyDIB);
  const TDIBImage& old = *image_;
  if (width == old.Width() && height == old.Height()) return;
  CheckPictureSize(width, height);

  std::uint8_t header[kInfoHeaderSize];
  std::memcpy(header, old.Header(), kInfoHeaderSize);
  PutLE32(header + kBiWidth, std::uint32_t(width));
  PutLE32(header + kBiHeight, std::uint32_t(height));
  const TDIBLayout layout = ParseDIBHeader(header, kInfoHeaderSize);
  PutLE32(header + kBiSizeImage, layout.PixelBytes);

  std::vector<std::uint8_t> block = AllocateBlock(layout.PackedSize());
  std::memcpy(block.data(), header, kInfoHeaderSize);
  std::memcpy(block.data() + kInfoHeaderSize, old.Header() + kInfoHeaderSize, old.PixelOffset() - kInfoHeaderSize);
  const std::uint64_t keptBits = std::uint64_t(std::min(width, old.Width())) * std::uint64_t(old.BitCount());
  std::uint8_t* pixels = block.data() + layout.PixelOffset();
  for (int y = 0; y < std::min(height, old.Height()); ++y) {
    std::uint8_t* row = pixels + std::size_t(height - 1 - y) * layout.RowBytes;
    CopyLeadingBits(old.Row(y), row, keptBits);
  }
  SetImage(std::make_shared<const TDIBImage>(std::move(block)));
}

TPalette TDIB::MakePalette() const {
  if (!image_ || image_->BitCount() >= 16) return TPalette();
  const std::uint32_t count = GetLE32(image_->Header() + kBiClrUsed);
  std::vector<TPaletteEntry> entries;
  entries.reserve(count);
  for (std::uint32_t i = 0; i < count; ++i) entries.push_back(image_->ColourEntry(i));
  return TPalette(std::move(entries));
}

void TDIB::CopyFrom(const TBitmap& source) {
  if (source.Empty()) throw EInvalidGraphic(kInvalidBitmap);
  // The plain bitmap's packed DIB as the system would hand it out: full colour
  // table for its depth, rows bottom-up. It then goes through the same checks
  // as a file, whose complaints all read as a format this reader cannot take.
  // Both 16-bit formats go out as x-5-5-5, the uncompressed 16-bit layout.
  const int bitCount = BitsPerPixel(source.PixelFormat());
  const std::uint32_t entries = DefaultColourCount(bitCount);
  std::vector<std::uint8_t> block;
  TDIBLayout layout;
  try {
    block = NewPackedDIB(source.Width(), source.Height(), bitCount, entries);
    layout = ParseDIBHeader(block.data(), kInfoHeaderSize);
  } catch (const EInvalidGraphic&) {
    throw EInvalidGraphic(kInvalidBitmapFormat);
  }
  const auto& table = source.EffectiveColourTable();
  std::uint8_t* quads = block.data() + kInfoHeaderSize;
  for (std::size_t i = 0; i < std::min<std::size_t>(table.size(), entries); ++i) {
    quads[i * kColourEntrySize + 0] = table[i].Blue;
    quads[i * kColourEntrySize + 1] = table[i].Green;
    quads[i * kColourEntrySize + 2] = table[i].Red;
  }
  std::uint8_t* pixels = block.data() + layout.PixelOffset();
  for (int y = 0; y < source.Height(); ++y) {
    std::uint8_t* row = pixels + std::size_t(source.Height() - 1 - y) * layout.RowBytes;
    PackRow(source, y, bitCount, layout.RowBytes, row);
  }
  SetImage(std::make_shared<const TDIBImage>(std::move(block)));
}

}  // namespace quill
