#include "quill/imaging/Bitmap.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <new>
#include <stdexcept>
#include <utility>

#include "quill/base/Errors.h"
#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/BitmapPixels.h"
#include "quill/imaging/BmpReader.h"
#include "quill/imaging/BmpWriter.h"
#include "quill/imaging/FileBytes.h"
#include "quill/imaging/ImageLimits.h"

namespace quill {

namespace {

constexpr const char* kScanLineOutOfRange = "Scan line index out of range";
constexpr const char* kPixelOutOfRange = "Pixel index out of range";
constexpr const char* kBitmapNoMemory = "Not enough memory for the bitmap";

std::uint64_t RowBytesFor(int width, TPixelFormat format) { return PaddedRowBytes(width, BitsPerPixel(format)); }

bool IsIndexed(TPixelFormat format) { return BitsPerPixel(format) <= 8; }

}  // namespace

int BitsPerPixel(TPixelFormat format) {
  switch (format) {
    case pf1bit:
      return 1;
    case pf4bit:
      return 4;
    case pf8bit:
      return 8;
    case pf15bit:
    case pf16bit:
      return 16;
    case pf24bit:
      return 24;
    case pf32bit:
      return 32;
  }
  return 24;
}

TBitmap::TPixelBytes TBitmap::MakeStorage(int width, int height, TPixelFormat format, bool zeroed) {
  const std::uint64_t total = RowBytesFor(width, format) * std::uint64_t(height);
  if (total > std::numeric_limits<std::size_t>::max() / 2) throw EOutOfMemory(kBitmapNoMemory);
  TPixelBytes pixels;
  try {
    if (zeroed) pixels.assign(std::size_t(total), 0);
    else pixels.resize(std::size_t(total));
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory(kBitmapNoMemory);
  } catch (const std::length_error&) {
    throw EOutOfMemory(kBitmapNoMemory);
  }
  return pixels;
}

void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_) return;
  pixels_ = MakeStorage(width, height, format_, true);
  width_ = width;
  height_ = height;
}

void TBitmap::SetUpUnfilled(int width, int height, TPixelFormat format, std::vector<TPaletteEntry> colourTable) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  TPixelBytes pixels = MakeStorage(width, height, format, false);
  if (colourTable.size() > std::size_t(TPalette::kMaxEntries)) colourTable.resize(TPalette::kMaxEntries);
  // Nothing below can fail.
  pixels_ = std::move(pixels);
  colourTable_ = std::move(colourTable);
  format_ = format;
  width_ = width;
  height_ = height;
}

std::size_t TBitmap::RowBytes() const { return std::size_t(RowBytesFor(width_, format_)); }

std::uint8_t* TBitmap::ScanLine(int row) {
  if (row < 0 || row >= height_) throw EInvalidGraphicOperation(kScanLineOutOfRange);
  return pixels_.data() + std::size_t(row) * RowBytes();
}

const std::uint8_t* TBitmap::ScanLine(int row) const {
  if (row < 0 || row >= height_) throw EInvalidGraphicOperation(kScanLineOutOfRange);
  return pixels_.data() + std::size_t(row) * RowBytes();
}

void TBitmap::SetColourTable(std::vector<TPaletteEntry> table) {
  if (table.size() > std::size_t(TPalette::kMaxEntries)) table.resize(TPalette::kMaxEntries);
  colourTable_ = std::move(table);
}

const std::vector<TPaletteEntry>& TBitmap::EffectiveColourTable() const {
  return colourTable_.empty() ? DefaultColourTable(format_) : colourTable_;
}

TColor32 TBitmap::PixelColour(int x, int y) const {
  if (x < 0 || x >= width_) throw EInvalidGraphicOperation(kPixelOutOfRange);
  return ReadRowPixel(ScanLine(y), x, format_, EffectiveColourTable());
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == format_) return;
  const std::vector<TPaletteEntry>& oldTable = EffectiveColourTable();
  TBitmap converted;
  converted.format_ = format;
  converted.colourTable_ = colourTable_;
  if (IsIndexed(format)) {
    const std::size_t capacity = std::size_t(1) << BitsPerPixel(format);
    if (colourTable_.empty() || colourTable_.size() > capacity) converted.colourTable_ = DefaultColourTable(format);
  }
  converted.SetSize(width_, height_);

  const std::vector<TPaletteEntry>& newTable = converted.colourTable_;
  TNearestColour nearest(newTable);
  const int oldBits = BitsPerPixel(format_);
  const int newBits = BitsPerPixel(format);
  for (int y = 0; y < height_; ++y) {
    const std::uint8_t* src = ScanLine(y);
    std::uint8_t* dst = converted.ScanLine(y);
    for (int x = 0; x < width_; ++x) {
      const TColor32 c = ReadRowPixel(src, x, format_, oldTable);
      if (!IsIndexed(format)) {
        // Only a 32-bit source has an alpha byte worth keeping; ReadRowPixel
        // already gives 0 for the others.
        WriteRowColour(dst, x, format, c);
        continue;
      }
      int index = -1;
      if (oldBits <= 8) {
        const std::size_t oldIndex = std::size_t(ReadRowIndex(src, x, oldBits));
        const bool sameEntry = oldIndex < newTable.size() && oldIndex < oldTable.size() &&
                               newTable[oldIndex].Red == oldTable[oldIndex].Red &&
                               newTable[oldIndex].Green == oldTable[oldIndex].Green &&
                               newTable[oldIndex].Blue == oldTable[oldIndex].Blue;
        if (sameEntry) index = int(oldIndex);
      }
      if (index < 0) index = nearest.Match(c);
      WriteRowIndex(dst, x, newBits, index);
    }
  }
  format_ = format;
  colourTable_.swap(converted.colourTable_);
  pixels_.swap(converted.pixels_);
}

void TBitmap::LoadFromStream(const std::uint8_t* data, std::size_t size) {
  // Decode into a separate bitmap so that a failure leaves this one untouched.
  TBitmap loaded = ReadBmp(data, size);
  *this = std::move(loaded);
}

void TBitmap::LoadFromFile(const std::string& path) {
  const std::vector<std::uint8_t> bytes = ReadFileBytes(path);
  LoadFromStream(bytes.data(), bytes.size());
}

std::vector<std::uint8_t> TBitmap::SaveToStream() const { return WriteBmp(*this); }

void TBitmap::SaveToFile(const std::string& path) const { WriteFileBytes(path, SaveToStream()); }

void TBitmap::DrawOnto(TBitmap32& dst) const {
  const int w = std::min(width_, dst.Width());
  const int h = std::min(height_, dst.Height());
  if (w <= 0 || h <= 0 || dst.Empty()) return;
  const std::vector<TPaletteEntry>& table = EffectiveColourTable();
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* src = ScanLine(y);
    TColor32* out = dst.ScanLine(y);
    for (int x = 0; x < w; ++x) out[x] = ReadRowPixel(src, x, format_, table);
  }
}

}  // namespace quill
