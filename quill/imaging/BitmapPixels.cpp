#include "quill/imaging/BitmapPixels.h"

#include <cstdlib>

namespace quill {

std::uint8_t ExpandChannel(std::uint32_t value, int bits) {
  if (bits <= 0) return 0;
  if (bits >= 8) return std::uint8_t(value >> (bits - 8));
  std::uint32_t acc = 0;
  int filled = 0;
  while (filled < 8) {
    acc = (acc << bits) | value;
    filled += bits;
  }
  return std::uint8_t(acc >> (filled - 8));
}

int ReadRowIndex(const std::uint8_t* row, int x, int bits) {
  switch (bits) {
    case 1:
      return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4:
      return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
    default:
      return row[x];
  }
}

void WriteRowIndex(std::uint8_t* row, int x, int bits, int index) {
  switch (bits) {
    case 1: {
      const int shift = 7 - (x & 7);
      row[x >> 3] = std::uint8_t((row[x >> 3] & ~(1 << shift)) | ((index & 1) << shift));
      break;
    }
    case 4:
      if (x & 1) row[x >> 1] = std::uint8_t((row[x >> 1] & 0xF0) | (index & 0x0F));
      else row[x >> 1] = std::uint8_t((row[x >> 1] & 0x0F) | ((index & 0x0F) << 4));
      break;
    default:
      row[x] = std::uint8_t(index);
      break;
  }
}

TColor32 ReadRowPixel(const std::uint8_t* row, int x, TPixelFormat format, const std::vector<TPaletteEntry>& table) {
  switch (format) {
    case pf1bit:
    case pf4bit:
    case pf8bit: {
      const std::size_t index = std::size_t(ReadRowIndex(row, x, BitsPerPixel(format)));
      if (index >= table.size()) return 0;
      const TPaletteEntry& e = table[index];
      return MakeColour32(e.Red, e.Green, e.Blue, 0);
    }
    case pf15bit:
    case pf16bit: {
      const std::uint32_t v = std::uint32_t(row[2 * x]) | std::uint32_t(row[2 * x + 1]) << 8;
      if (format == pf15bit)
        return MakeColour32(ExpandChannel((v >> 10) & 31, 5), ExpandChannel((v >> 5) & 31, 5), ExpandChannel(v & 31, 5),
                            0);
      return MakeColour32(ExpandChannel((v >> 11) & 31, 5), ExpandChannel((v >> 5) & 63, 6), ExpandChannel(v & 31, 5),
                          0);
    }
    case pf24bit: {
      const std::uint8_t* p = row + 3 * x;
      return MakeColour32(p[2], p[1], p[0], 0);
    }
    case pf32bit: {
      const std::uint8_t* p = row + 4 * x;
      return MakeColour32(p[2], p[1], p[0], p[3]);
    }
  }
  return 0;
}

void WriteRowColour(std::uint8_t* row, int x, TPixelFormat format, TColor32 c) {
  const std::uint32_t r = RedComponent(c), g = GreenComponent(c), b = BlueComponent(c);
  switch (format) {
    case pf15bit:
    case pf16bit: {
      const std::uint32_t v = format == pf15bit ? ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3)
                                                : ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3);
      row[2 * x] = std::uint8_t(v);
      row[2 * x + 1] = std::uint8_t(v >> 8);
      break;
    }
    case pf24bit:
      row[3 * x] = std::uint8_t(b);
      row[3 * x + 1] = std::uint8_t(g);
      row[3 * x + 2] = std::uint8_t(r);
      break;
    case pf32bit:
      row[4 * x] = std::uint8_t(b);
      row[4 * x + 1] = std::uint8_t(g);
      row[4 * x + 2] = std::uint8_t(r);
      row[4 * x + 3] = AlphaComponent(c);
      break;
    default:
      break;  // indexed formats are written through WriteRowIndex
  }
}

namespace {

std::vector<TPaletteEntry> GreyRamp(int steps) {
  std::vector<TPaletteEntry> table(static_cast<std::size_t>(steps));
  for (int i = 0; i < steps; ++i) {
    const auto level = std::uint8_t(i * 255 / (steps - 1));
    table[std::size_t(i)] = TPaletteEntry{level, level, level, 0};
  }
  return table;
}

}  // namespace

const std::vector<TPaletteEntry>& DefaultColourTable(TPixelFormat format) {
  static const std::vector<TPaletteEntry> kRamp2 = GreyRamp(2);
  static const std::vector<TPaletteEntry> kRamp16 = GreyRamp(16);
  static const std::vector<TPaletteEntry> kRamp256 = GreyRamp(256);
  static const std::vector<TPaletteEntry> kNone;
  switch (format) {
    case pf1bit:
      return kRamp2;
    case pf4bit:
      return kRamp16;
    case pf8bit:
      return kRamp256;
    default:
      return kNone;
  }
}

int TNearestColour::Match(TColor32 c) {
  const std::uint32_t key = c & 0x00FFFFFFu;
  const auto hit = cache_.find(key);
  if (hit != cache_.end()) return hit->second;
  const int r = RedComponent(c), g = GreenComponent(c), b = BlueComponent(c);
  int best = 0;
  int bestDistance = 3 * 256;  // larger than any real distance
  for (std::size_t i = 0; i < table_.size() && i < 256; ++i) {
    const TPaletteEntry& e = table_[i];
    const int distance = std::abs(e.Red - r) + std::abs(e.Green - g) + std::abs(e.Blue - b);
    if (distance < bestDistance) {
      bestDistance = distance;
      best = int(i);
    }
  }
  cache_.emplace(key, std::uint8_t(best));
  return best;
}

}  // namespace quill
