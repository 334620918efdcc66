#pragma once
// Builds BMP files and packed DIBs byte by byte for the DIB tests, so that each
// test states exactly the header it feeds the reader.
#include <cstdint>
#include <exception>
#include <string>
#include <vector>

namespace quill::dibtest {

struct TBmpLayout {
  bool FileHeader = true;
  std::uint16_t Signature = 0x4D42;
  std::uint32_t HeaderSize = 40;  // 12 writes a core header
  std::int32_t Width = 4;
  std::int32_t Height = 2;
  std::uint16_t Planes = 1;
  std::uint16_t BitCount = 8;
  std::uint32_t Compression = 0;
  std::uint32_t SizeImage = 0;
  std::uint32_t ClrUsed = 0;
  std::uint32_t ClrImportant = 0;
  std::vector<std::uint8_t> Table;   // raw: quads, or triples after a core header
  std::vector<std::uint8_t> Pixels;  // raw rows, bottom row first
};

inline void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(std::uint8_t(v));
  out.push_back(std::uint8_t(v >> 8));
}

inline void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

inline std::uint32_t Get32(const std::vector<std::uint8_t>& in, std::size_t at) {
  return std::uint32_t(in[at]) | std::uint32_t(in[at + 1]) << 8 | std::uint32_t(in[at + 2]) << 16 |
         std::uint32_t(in[at + 3]) << 24;
}

inline std::size_t TestRowBytes(std::int64_t width, int bits) { return std::size_t((width * bits + 31) / 32 * 4); }

inline std::vector<std::uint8_t> BuildBmp(const TBmpLayout& layout) {
  std::vector<std::uint8_t> dib;
  Put32(dib, layout.HeaderSize);
  if (layout.HeaderSize == 12) {
    Put16(dib, std::uint32_t(layout.Width));
    Put16(dib, std::uint32_t(layout.Height));
    Put16(dib, layout.Planes);
    Put16(dib, layout.BitCount);
  } else {
    Put32(dib, std::uint32_t(layout.Width));
    Put32(dib, std::uint32_t(layout.Height));
    Put16(dib, layout.Planes);
    Put16(dib, layout.BitCount);
    Put32(dib, layout.Compression);
    Put32(dib, layout.SizeImage);
    Put32(dib, 2835);  // resolutions, kept unchanged by the reader
    Put32(dib, 2835);
    Put32(dib, layout.ClrUsed);
    Put32(dib, layout.ClrImportant);
    while (dib.size() < layout.HeaderSize && dib.size() < 4096) dib.push_back(0);  // newer headers' extra fields
  }
  dib.insert(dib.end(), layout.Table.begin(), layout.Table.end());
  const std::size_t pixelOffset = dib.size();
  dib.insert(dib.end(), layout.Pixels.begin(), layout.Pixels.end());
  if (!layout.FileHeader) return dib;
  std::vector<std::uint8_t> file;
  Put16(file, layout.Signature);
  Put32(file, std::uint32_t(dib.size() + 14));
  Put32(file, 0);
  Put32(file, std::uint32_t(pixelOffset + 14));
  file.insert(file.end(), dib.begin(), dib.end());
  return file;
}

// A colour table whose entries all differ: blue = i, green = 255 - i, red = i * 7.
inline std::vector<std::uint8_t> DistinctQuads(int n, int entrySize = 4) {
  std::vector<std::uint8_t> table;
  for (int i = 0; i < n; ++i) {
    table.push_back(std::uint8_t(i));
    table.push_back(std::uint8_t(255 - i));
    table.push_back(std::uint8_t(i * 7));
    if (entrySize == 4) table.push_back(0);
  }
  return table;
}

// The message of the exception of kind E that f raises; a marker when it
// raises nothing or something else.
template <class E, class F>
std::string MessageOf(F&& f) {
  try {
    f();
  } catch (const E& e) {
    return e.what();
  } catch (const std::exception& e) {
    return std::string("<other exception: ") + e.what() + ">";
  }
  return "<no exception>";
}

inline std::vector<std::uint8_t> PatternBytes(std::size_t n, std::uint8_t seed = 11) {
  std::vector<std::uint8_t> bytes(n);
  for (std::size_t i = 0; i < n; ++i) bytes[i] = std::uint8_t(i * 37 + seed);
  return bytes;
}

// A complete, valid layout: the table and pixels the header asks for.
inline TBmpLayout ValidLayout(std::int32_t width, std::int32_t height, std::uint16_t bits, std::uint32_t clrUsed = 0) {
  TBmpLayout layout;
  layout.Width = width;
  layout.Height = height;
  layout.BitCount = bits;
  layout.ClrUsed = clrUsed;
  const int entries = clrUsed ? int(clrUsed) : (bits <= 8 ? 1 << bits : 0);
  layout.Table = DistinctQuads(entries);
  layout.Pixels = PatternBytes(TestRowBytes(width, bits) * std::size_t(height));
  return layout;
}

}  // namespace quill::dibtest
