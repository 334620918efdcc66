#include "quill/imaging/BmpWriter.h"

#include "quill/base/Errors.h"
#include "quill/imaging/BmpFormat.h"

namespace quill {

namespace {

constexpr const char* kBitmapTooLargeToSave = "Bitmap too large to save";
constexpr std::uint32_t kMaskBytes = 12;

void PutU16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(std::uint8_t(v));
  out.push_back(std::uint8_t(v >> 8));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, v >> 16);
}

}  // namespace

std::vector<std::uint8_t> WriteBmp(const TBitmap& bitmap) {
  std::vector<std::uint8_t> out;
  if (bitmap.Empty()) return out;

  const TPixelFormat format = bitmap.PixelFormat();
  const int bits = BitsPerPixel(format);
  const std::uint32_t entries = bits <= 8 ? 1u << bits : 0;
  const std::uint32_t maskBytes = format == pf16bit ? kMaskBytes : 0;
  const std::uint32_t pixelOffset =
      bmp::kFileHeaderSize + bmp::kInfoHeaderSize + maskBytes + entries * bmp::kInfoEntrySize;
  const std::uint64_t rowBytes = bitmap.RowBytes();
  const std::uint64_t imageSize = rowBytes * std::uint64_t(bitmap.Height());
  const std::uint64_t fileSize = pixelOffset + imageSize;
  if (fileSize > 0xFFFFFFFFu) throw EInvalidGraphicOperation(kBitmapTooLargeToSave);
  out.reserve(std::size_t(fileSize));

  PutU16(out, bmp::kSignature);
  PutU32(out, std::uint32_t(fileSize));
  PutU32(out, 0);  // two reserved words
  PutU32(out, pixelOffset);

  PutU32(out, bmp::kInfoHeaderSize);
  PutU32(out, std::uint32_t(bitmap.Width()));
  PutU32(out, std::uint32_t(bitmap.Height()));
  PutU16(out, 1);  // planes
  PutU16(out, std::uint32_t(bits));
  PutU32(out, format == pf16bit ? bmp::kBitfields : bmp::kRgb);
  PutU32(out, std::uint32_t(imageSize));
  PutU32(out, 0);        // horizontal resolution
  PutU32(out, 0);        // vertical resolution
  PutU32(out, entries);  // colours used
  PutU32(out, 0);        // important colours: all

  if (format == pf16bit) {
    PutU32(out, bmp::kRed565);
    PutU32(out, bmp::kGreen565);
    PutU32(out, bmp::kBlue565);
  }
  const std::vector<TPaletteEntry>& table = bitmap.EffectiveColourTable();
  for (std::uint32_t i = 0; i < entries; ++i) {
    const TPaletteEntry e = i < table.size() ? table[i] : TPaletteEntry{};
    out.push_back(e.Blue);
    out.push_back(e.Green);
    out.push_back(e.Red);
    out.push_back(0);
  }
  for (int r = bitmap.Height() - 1; r >= 0; --r) {
    const std::uint8_t* row = bitmap.ScanLine(r);
    out.insert(out.end(), row, row + rowBytes);
  }
  return out;
}

}  // namespace quill
