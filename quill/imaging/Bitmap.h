#pragma once
// The plain bitmap: a device-independent bitmap of 1 to 32 bits per pixel with
// an optional colour table, rows addressed top row first. It reads and writes
// standard BMP files and is what the palette reduction produces.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "quill/imaging/Colour32.h"
#include "quill/imaging/Graphic.h"
#include "quill/imaging/Palette.h"
#include "quill/imaging/PixelBlocks.h"

namespace quill {

enum TPixelFormat { pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };

// Bits each pixel occupies in a row: 1, 4, 8, 16 (for both pf15bit and
// pf16bit), 24 or 32.
int BitsPerPixel(TPixelFormat format);

class TBitmap : public TGraphic {
 public:
  TBitmap() = default;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  TPixelFormat PixelFormat() const { return format_; }

  // Resizes; every pixel of the new storage is 0. Negative sizes count as 0.
  // The same size again keeps the pixels. Throws EOutOfMemory when the storage
  // cannot be made.
  void SetSize(int width, int height);
  // Converts the existing pixels to the new format in place. Going to 8 bits
  // or fewer maps each pixel to the nearest colour (sum of absolute channel
  // differences, lowest index on a tie) of the current colour table, or of a
  // grey ramp of 2, 16 or 256 steps when there is none or it has more entries
  // than the new format can index; that table becomes the colour table. An
  // indexed pixel whose entry is the same in the new table keeps its index.
  // Going to more bits keeps the colour table (it is then only the table a
  // later change to 8 bits or fewer maps to); colours keep the top bits of
  // each channel and alpha is 0 except from 32 to 32 bits.
  void SetPixelFormat(TPixelFormat format);

  // Replaces the whole bitmap with one of the given size, format and colour
  // table whose pixel bytes, row padding included, are left as the memory
  // held them: for a writer that fills every byte of every row at once,
  // where clearing megabytes first would cost as much as the writing.
  // Negative sizes count as 0. Throws EOutOfMemory when the storage cannot be
  // made, leaving the bitmap as it was.
  void SetUpUnfilled(int width, int height, TPixelFormat format, std::vector<TPaletteEntry> colourTable);

  // Bytes per stored row: width x bits rounded up to whole 32-bit words.
  std::size_t RowBytes() const;
  // Row 0 is the top row. Throws EInvalidGraphicOperation "Scan line index out
  // of range" outside 0 .. Height - 1.
  std::uint8_t* ScanLine(int row);
  const std::uint8_t* ScanLine(int row) const;

  // Colour table of 1-, 4- and 8-bit bitmaps (red, green, blue, flags); at
  // most 256 entries are kept.
  const std::vector<TPaletteEntry>& ColourTable() const { return colourTable_; }
  void SetColourTable(std::vector<TPaletteEntry> table);
  // The table indexed pixels are seen through: the colour table, or the grey
  // ramp of the format when the table is empty.
  const std::vector<TPaletteEntry>& EffectiveColourTable() const;

  // The colour of one pixel as 0xAARRGGBB; alpha is the stored byte for 32-bit
  // bitmaps and 0 for every other format (as a system copy would leave it). An
  // index past the end of the colour table reads as black. Throws
  // EInvalidGraphicOperation outside the bitmap.
  TColor32 PixelColour(int x, int y) const;

  // Reads a BMP file held in memory (see BmpReader.h for the kinds accepted).
  // On any error the bitmap is unchanged and an EInvalidGraphic with a fixed
  // message is thrown. No bytes at all give an empty bitmap.
  void LoadFromStream(const std::uint8_t* data, std::size_t size);
  void LoadFromFile(const std::string& path);
  // Writes a standard BMP file: 14-byte file header, 40-byte info header, the
  // colour table for 8 bits or fewer, rows bottom-up padded to 4 bytes (see
  // BmpWriter.h). An empty bitmap writes no bytes.
  std::vector<std::uint8_t> SaveToStream() const;
  void SaveToFile(const std::string& path) const;

  // Writes PixelColour of every pixel into dst, clipped to dst's size.
  void DrawOnto(TBitmap32& dst) const override;

 private:
  // Leaves the bytes a resize adds uninitialised (see SetUpUnfilled); the
  // other members ask for zeros explicitly.
  using TPixelBytes = std::vector<std::uint8_t, pixelblocks::TUnfilledAllocator<std::uint8_t>>;

  // Storage for width x height pixels of the format, zeroed or not; throws
  // EOutOfMemory when it cannot be made.
  static TPixelBytes MakeStorage(int width, int height, TPixelFormat format, bool zeroed);

  int width_ = 0;
  int height_ = 0;
  TPixelFormat format_ = pf24bit;
  std::vector<TPaletteEntry> colourTable_;
  TPixelBytes pixels_;  // top row first, RowBytes() per row
};

}  // namespace quill
