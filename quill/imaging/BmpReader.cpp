#include "quill/imaging/BmpReader.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "quill/base/Errors.h"
#include "quill/imaging/BitmapPixels.h"
#include "quill/imaging/BmpBitfields.h"
#include "quill/imaging/BmpFormat.h"
#include "quill/imaging/BmpRle.h"
#include "quill/imaging/ByteReader.h"
#include "quill/imaging/ImageLimits.h"

namespace quill {

namespace {

// The information header, whatever its size, in the form the decoder needs.
struct TBmpInfo {
  std::uint32_t HeaderSize = 0;
  std::int64_t Width = 0;
  std::int64_t Height = 0;  // signed as stored: negative for top-down rows
  std::uint16_t Planes = 0;
  std::uint16_t BitCount = 0;
  std::uint32_t Compression = bmp::kRgb;
  std::uint32_t ImageSize = 0;
  std::uint32_t ColoursUsed = 0;
  TBitfieldMasks HeaderMasks;  // from V2+ headers only
};

// How the rows of the file become rows of the plain bitmap.
struct TTarget {
  TPixelFormat Format = pf24bit;
  bool Raw = false;  // the file's row bytes are the bitmap's row bytes
};

[[noreturn]] void NotValid() { throw EInvalidGraphic(kBitmapNotValid); }
[[noreturn]] void Unsupported() { throw EInvalidGraphic(kBitmapUnsupported); }

bool IsBitfields(std::uint32_t compression) {
  return compression == bmp::kBitfields || compression == bmp::kAlphaBitfields;
}

TBmpInfo ReadInfoHeader(TByteReader& in) {
  TBmpInfo info;
  info.HeaderSize = in.ReadU32();
  switch (info.HeaderSize) {
    case bmp::kCoreHeaderSize:
    case bmp::kInfoHeaderSize:
    case bmp::kV2HeaderSize:
    case bmp::kV3HeaderSize:
    case bmp::kV4HeaderSize:
    case bmp::kV5HeaderSize:
      break;
    default:
      Unsupported();
  }
  const std::uint32_t rest = info.HeaderSize - 4;
  TByteReader header(in.ReadBytes(rest), rest, kBitmapNotValid);
  if (info.HeaderSize == bmp::kCoreHeaderSize) {
    info.Width = header.ReadU16();
    info.Height = header.ReadU16();
    info.Planes = header.ReadU16();
    info.BitCount = header.ReadU16();
    return info;
  }
  info.Width = header.ReadI32();
  info.Height = header.ReadI32();
  info.Planes = header.ReadU16();
  info.BitCount = header.ReadU16();
  info.Compression = header.ReadU32();
  info.ImageSize = header.ReadU32();
  header.Skip(8);  // resolution, unused
  info.ColoursUsed = header.ReadU32();
  header.Skip(4);  // important colours, unused
  if (info.HeaderSize >= bmp::kV2HeaderSize) {
    info.HeaderMasks.Red = header.ReadU32();
    info.HeaderMasks.Green = header.ReadU32();
    info.HeaderMasks.Blue = header.ReadU32();
  }
  if (info.HeaderSize >= bmp::kV3HeaderSize) info.HeaderMasks.Alpha = header.ReadU32();
  return info;
}

void Validate(const TBmpInfo& info) {
  if (info.Planes != 1 || info.Width <= 0 || info.Height == 0) NotValid();
  const bool core = info.HeaderSize == bmp::kCoreHeaderSize;
  bool supported = false;
  switch (info.Compression) {
    case bmp::kRgb:
      supported = core ? (info.BitCount == 1 || info.BitCount == 4 || info.BitCount == 8 || info.BitCount == 24)
                       : (info.BitCount == 1 || info.BitCount == 4 || info.BitCount == 8 || info.BitCount == 16 ||
                          info.BitCount == 24 || info.BitCount == 32);
      break;
    case bmp::kRle8:
      supported = info.BitCount == 8;
      break;
    case bmp::kRle4:
      supported = info.BitCount == 4;
      break;
    case bmp::kBitfields:
    case bmp::kAlphaBitfields:
      supported = info.BitCount == 16 || info.BitCount == 32;
      break;
    default:
      break;
  }
  if (!supported) Unsupported();
  // Run-length streams are defined bottom-up only.
  if (info.Height < 0 && info.Compression != bmp::kRgb && !IsBitfields(info.Compression)) NotValid();
}

// The masks of a 16- or 32-bit file: the format's own for BI_RGB, else from
// after a 40-byte header or from inside a larger one.
TBitfieldMasks ReadMasks(const TBmpInfo& info, TByteReader& in) {
  TBitfieldMasks masks;
  if (!IsBitfields(info.Compression)) {
    if (info.BitCount == 16) masks = {bmp::kRed555, bmp::kGreen555, bmp::kBlue555, 0};
    if (info.BitCount == 32) masks = {bmp::kRed888, bmp::kGreen888, bmp::kBlue888, 0};
    return masks;
  }
  if (info.HeaderSize != bmp::kInfoHeaderSize) return info.HeaderMasks;
  masks.Red = in.ReadU32();
  masks.Green = in.ReadU32();
  masks.Blue = in.ReadU32();
  if (info.Compression == bmp::kAlphaBitfields) masks.Alpha = in.ReadU32();
  return masks;
}

TTarget ChooseTarget(const TBmpInfo& info, const TBitfieldMasks& m, const TBitfieldDecoder& decoder) {
  switch (info.BitCount) {
    case 1:
      return {pf1bit, true};
    case 4:
      return {pf4bit, true};
    case 8:
      return {pf8bit, true};
    case 24:
      return {pf24bit, true};
    case 16:
      if (m.Red == bmp::kRed555 && m.Green == bmp::kGreen555 && m.Blue == bmp::kBlue555) return {pf15bit, true};
      if (m.Red == bmp::kRed565 && m.Green == bmp::kGreen565 && m.Blue == bmp::kBlue565) return {pf16bit, true};
      return {decoder.HasAlpha() ? pf32bit : pf24bit, false};
    default: {
      const bool standard = m.Red == bmp::kRed888 && m.Green == bmp::kGreen888 && m.Blue == bmp::kBlue888 &&
                            (m.Alpha == 0 || m.Alpha == bmp::kAlpha8888);
      return {pf32bit, standard};
    }
  }
}

std::vector<TPaletteEntry> ReadColourTable(TByteReader& in, std::uint64_t entries, std::uint32_t entrySize) {
  std::vector<TPaletteEntry> table;
  table.reserve(std::size_t(entries));
  for (std::uint64_t i = 0; i < entries; ++i) {
    const std::uint8_t* p = in.ReadBytes(entrySize);
    table.push_back(TPaletteEntry{p[2], p[1], p[0], 0});
  }
  return table;
}

void ReadRows(TByteReader& in, const TBmpInfo& info, const TTarget& target, const TBitfieldDecoder& decoder,
              TBitmap& bitmap) {
  const int width = bitmap.Width();
  const int height = bitmap.Height();
  const std::uint64_t fileRowBytes = PaddedRowBytes(width, info.BitCount);
  const int bytesPerPixel = info.BitCount / 8;
  for (int r = 0; r < height; ++r) {
    const std::uint8_t* src = in.ReadBytes(fileRowBytes);
    std::uint8_t* dst = bitmap.ScanLine(info.Height < 0 ? r : height - 1 - r);
    if (target.Raw) {
      std::memcpy(dst, src, bitmap.RowBytes());
      continue;
    }
    for (int x = 0; x < width; ++x) {
      const std::uint8_t* p = src + std::size_t(x) * std::size_t(bytesPerPixel);
      std::uint32_t pixel = std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8;
      if (bytesPerPixel == 4) pixel |= std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
      WriteRowColour(dst, x, target.Format, decoder.Decode(pixel));
    }
  }
}

}  // namespace

TBitmap ReadBmp(const std::uint8_t* data, std::size_t size) {
  TBitmap bitmap;
  if (!data || size == 0) return bitmap;
  if (size < 2 || (data[0] | (data[1] << 8)) != bmp::kSignature) throw EInvalidGraphic(kBitmapNotBmp);

  TByteReader in(data, size, kBitmapNotValid);
  in.Skip(10);  // signature, file size (often wrong, so never trusted), two reserved words
  const std::uint32_t pixelOffsetField = in.ReadU32();
  const TBmpInfo info = ReadInfoHeader(in);
  Validate(info);

  const TBitfieldMasks masks = ReadMasks(info, in);
  const int maskBits = info.BitCount >= 16 ? info.BitCount : 32;
  const TBitfieldDecoder decoder(info.BitCount >= 16 ? masks : TBitfieldMasks{}, maskBits);
  const TTarget target = ChooseTarget(info, masks, decoder);

  // The colour table: up to 2^bits entries of an indexed file are used; the
  // count the header gives (or the default) says where the table ends.
  const std::uint64_t headersEnd = in.Position();
  const bool core = info.HeaderSize == bmp::kCoreHeaderSize;
  const std::uint32_t entrySize = core ? bmp::kCoreEntrySize : bmp::kInfoEntrySize;
  const std::uint64_t capacity = info.BitCount <= 8 ? std::uint64_t(1) << info.BitCount : 0;
  const std::uint64_t fileEntries = (core || (info.ColoursUsed == 0 && capacity > 0)) ? capacity : info.ColoursUsed;
  std::vector<TPaletteEntry> table = ReadColourTable(in, std::min(fileEntries, capacity), entrySize);

  const std::uint64_t afterTable = headersEnd + fileEntries * entrySize;
  const bool offsetUsable = pixelOffsetField != 0 && pixelOffsetField >= headersEnd && pixelOffsetField < size;
  in.Seek(offsetUsable ? pixelOffsetField : afterTable);

  const std::int64_t width = info.Width;
  const std::int64_t height = info.Height < 0 ? -info.Height : info.Height;
  CheckPictureSize(width, height);
  const bool rle = info.Compression == bmp::kRle8 || info.Compression == bmp::kRle4;
  if (!rle) {
    // Refuse a short file before making storage for it.
    const std::uint64_t fileRowBytes = PaddedRowBytes(width, info.BitCount);
    if (!in.CanRead(fileRowBytes * std::uint64_t(height))) NotValid();
  }

  bitmap.SetPixelFormat(target.Format);
  bitmap.SetColourTable(std::move(table));
  bitmap.SetSize(int(width), int(height));
  if (rle) {
    const std::size_t available = in.Remaining();
    const std::size_t length = (info.ImageSize != 0 && info.ImageSize <= available) ? info.ImageSize : available;
    DecodeRle(in.ReadBytes(length), length, info.BitCount, bitmap);
  } else {
    ReadRows(in, info, target, decoder, bitmap);
  }
  return bitmap;
}

}  // namespace quill
