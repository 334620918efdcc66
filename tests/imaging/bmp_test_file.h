#pragma once
// Builds BMP files byte by byte for the reader tests, so that each test states
// exactly the header fields and pixel bytes it feeds in.
#include <cstdint>
#include <optional>
#include <vector>

#include "quill/imaging/BmpBitfields.h"
#include "quill/imaging/Palette.h"

namespace quill::bmptest {

using Bytes = std::vector<std::uint8_t>;

struct TBmpLayout {
  std::uint32_t HeaderSize = 40;
  std::int32_t Width = 1;
  std::int32_t Height = 1;
  std::uint16_t Planes = 1;
  std::uint16_t BitCount = 24;
  std::uint32_t Compression = 0;
  std::uint32_t ImageSize = 0;
  std::uint32_t ColoursUsed = 0;
  TBitfieldMasks HeaderMasks;  // stored in V2+ headers
  std::vector<std::uint32_t> MasksAfterHeader;
  std::vector<TPaletteEntry> Table;          // 3 bytes each after a core header, else 4
  Bytes Gap;                                 // between the table and the pixels
  Bytes Pixels;                              // exactly as in the file
  std::optional<std::uint32_t> PixelOffset;  // default: where the pixels really start
};

inline void PutLe(Bytes& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(std::uint8_t(v >> (8 * i)));
}

inline Bytes BuildBmp(const TBmpLayout& s) {
  Bytes header;
  PutLe(header, s.HeaderSize, 4);
  if (s.HeaderSize == 12) {
    PutLe(header, std::uint32_t(s.Width), 2);
    PutLe(header, std::uint32_t(s.Height), 2);
    PutLe(header, s.Planes, 2);
    PutLe(header, s.BitCount, 2);
  } else {
    PutLe(header, std::uint32_t(s.Width), 4);
    PutLe(header, std::uint32_t(s.Height), 4);
    PutLe(header, s.Planes, 2);
    PutLe(header, s.BitCount, 2);
    PutLe(header, s.Compression, 4);
    PutLe(header, s.ImageSize, 4);
    PutLe(header, 2835, 4);
    PutLe(header, 2835, 4);
    PutLe(header, s.ColoursUsed, 4);
    PutLe(header, 0, 4);
    if (s.HeaderSize >= 52) {
      PutLe(header, s.HeaderMasks.Red, 4);
      PutLe(header, s.HeaderMasks.Green, 4);
      PutLe(header, s.HeaderMasks.Blue, 4);
    }
    if (s.HeaderSize >= 56) PutLe(header, s.HeaderMasks.Alpha, 4);
    while (header.size() < s.HeaderSize) header.push_back(0x5A);  // colour space, gamma, intent
  }
  for (std::uint32_t m : s.MasksAfterHeader) PutLe(header, m, 4);
  for (const TPaletteEntry& e : s.Table) {
    header.push_back(e.Blue);
    header.push_back(e.Green);
    header.push_back(e.Red);
    if (s.HeaderSize != 12) header.push_back(0);
  }
  header.insert(header.end(), s.Gap.begin(), s.Gap.end());
  const std::uint32_t offset = 14 + std::uint32_t(header.size());
  Bytes file = {'B', 'M'};
  PutLe(file, offset + std::uint32_t(s.Pixels.size()), 4);
  PutLe(file, 0, 4);
  PutLe(file, s.PixelOffset.value_or(offset), 4);
  file.insert(file.end(), header.begin(), header.end());
  file.insert(file.end(), s.Pixels.begin(), s.Pixels.end());
  return file;
}

// Concatenates rows given in file order, padding each to a multiple of 4 bytes.
inline Bytes PaddedRows(const std::vector<Bytes>& rows) {
  Bytes out;
  for (const Bytes& row : rows) {
    out.insert(out.end(), row.begin(), row.end());
    for (std::size_t n = row.size(); n % 4 != 0; ++n) out.push_back(0);
  }
  return out;
}

inline std::vector<TPaletteEntry> Table(std::initializer_list<TPaletteEntry> entries) { return entries; }

// A table of n distinct colours: entry i = (i, 255 - i, (i * 7) mod 256).
inline std::vector<TPaletteEntry> DistinctTable(int n) {
  std::vector<TPaletteEntry> t;
  for (int i = 0; i < n; ++i)
    t.push_back(TPaletteEntry{std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 7), 0});
  return t;
}

}  // namespace quill::bmptest
