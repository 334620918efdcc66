#include "DibReport.h"

#include <cstdio>

namespace loungesim {
namespace {

constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr unsigned kBitFields = 3;
constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kFnvOffset = 2166136261u;
constexpr std::uint32_t kFnvPrime = 16777619u;
// Anything bigger is not an avatar and not worth trusting.
constexpr std::int64_t kMaxDimension = 32768;

std::uint32_t Read32(const std::vector<std::uint8_t>& b, std::size_t at) {
  if (at + 4 > b.size()) throw EDibError("DIB header is truncated");
  return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
         std::uint32_t(b[at + 3]) << 24;
}

unsigned Read16(const std::vector<std::uint8_t>& b, std::size_t at) {
  if (at + 2 > b.size()) throw EDibError("DIB header is truncated");
  return unsigned(b[at]) | unsigned(b[at + 1]) << 8;
}

void Put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) b.push_back(std::uint8_t(v >> shift));
}

}  // namespace

TDibSummary SummariseDib(const std::vector<std::uint8_t>& dib) {
  TDibSummary s;
  s.Bytes = dib.size();
  const std::uint32_t headerSize = Read32(dib, 0);
  unsigned entrySize = 4;
  std::uint64_t masks = 0;
  if (headerSize == kCoreHeaderSize) {
    s.Width = std::int32_t(Read16(dib, 4));
    s.Height = std::int32_t(Read16(dib, 6));
    s.BitsPerPixel = Read16(dib, 10);
    entrySize = 3;
    if (s.BitsPerPixel <= 8) s.Colours = 1u << s.BitsPerPixel;
  } else if (headerSize >= kInfoHeaderSize) {
    s.Width = std::int32_t(Read32(dib, 4));
    s.Height = std::int32_t(Read32(dib, 8));
    s.BitsPerPixel = Read16(dib, 14);
    s.Compression = Read32(dib, 16);
    const std::uint32_t used = Read32(dib, 32);
    s.Colours = used != 0 ? used : (s.BitsPerPixel <= 8 ? 1u << s.BitsPerPixel : 0u);
    if (headerSize == kInfoHeaderSize && s.Compression == kBitFields) masks = 12;
  } else {
    throw EDibError("DIB header size is not one of the known ones");
  }
  if (s.BitsPerPixel == 0 || s.BitsPerPixel > 32) throw EDibError("DIB bit count is invalid");
  const std::int64_t height = s.Height < 0 ? -std::int64_t(s.Height) : s.Height;
  if (s.Width <= 0 || s.Width > kMaxDimension || height == 0 || height > kMaxDimension)
    throw EDibError("DIB dimensions are out of range");
  if (s.Colours > 256 && s.BitsPerPixel <= 8) throw EDibError("DIB colour count is out of range");

  const std::uint64_t tableBytes = std::uint64_t(s.Colours) * entrySize;
  const std::uint64_t offset = std::uint64_t(headerSize) + masks + tableBytes;
  if (offset > dib.size()) throw EDibError("DIB colour table is truncated");
  s.BitsOffset = std::uint32_t(offset);
  if (s.Compression == 0 || s.Compression == kBitFields) {
    const std::uint64_t stride = (std::uint64_t(s.Width) * s.BitsPerPixel + 31) / 32 * 4;
    if (offset + stride * std::uint64_t(height) > dib.size()) throw EDibError("DIB rows are truncated");
  }

  std::uint32_t hash = kFnvOffset;
  const std::size_t tableStart = std::size_t(headerSize + masks);
  for (std::size_t i = tableStart; i < s.BitsOffset; ++i) hash = (hash ^ dib[i]) * kFnvPrime;
  s.TableHash = hash;
  return s;
}

std::string FormatSummary(const TDibSummary& s) {
  char line[160];
  std::snprintf(line, sizeof line, "CF_DIB %ldx%ld %ubpp colours=%u compression=%u bytes=%lu table=%08lx",
                long(s.Width), long(s.Height), s.BitsPerPixel, s.Colours, s.Compression,
                static_cast<unsigned long>(s.Bytes), static_cast<unsigned long>(s.TableHash));
  return line;
}

std::vector<std::uint8_t> MakeBmpFile(const std::vector<std::uint8_t>& dib, const TDibSummary& summary) {
  std::vector<std::uint8_t> file;
  file.reserve(kFileHeaderSize + dib.size());
  file.push_back('B');
  file.push_back('M');
  Put32(file, std::uint32_t(kFileHeaderSize + dib.size()));
  Put32(file, 0);  // two reserved words
  Put32(file, kFileHeaderSize + summary.BitsOffset);
  file.insert(file.end(), dib.begin(), dib.end());
  return file;
}

}  // namespace loungesim
