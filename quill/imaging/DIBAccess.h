#pragma once
// Row access for the palette reduction. TDIBReader hands out the source's own
// 24-bit rows; TDIBWriter hands out the rows of a bitmap it sets up with the
// result's header values and colour table, and moves that bitmap into its
// target when it is finished. It is what loading the result from a BMP file
// made of the header block and the rows would give, without the file.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "quill/imaging/Bitmap.h"
#include "quill/imaging/Palette.h"

namespace quill {

class TDIBAccess {
 public:
  TDIBAccess(const TDIBAccess&) = delete;
  TDIBAccess& operator=(const TDIBAccess&) = delete;

  TBitmap& Bitmap() const { return bitmap_; }
  TPixelFormat PixelFormat() const { return pixelFormat_; }

 protected:
  TDIBAccess(TBitmap& bitmap, TPixelFormat format) : bitmap_(bitmap), pixelFormat_(format) {}
  ~TDIBAccess() = default;

 private:
  TBitmap& bitmap_;
  TPixelFormat pixelFormat_;
};

class TDIBReader : public TDIBAccess {
 public:
  // Converts the source to 24 bits per pixel in place.
  explicit TDIBReader(TBitmap& source);
  // Row r (0 the top row): Width pixels of blue, green, red bytes.
  const std::uint8_t* RowPointer(int row) const;
};

class TDIBWriter : public TDIBAccess {
 public:
  static constexpr std::size_t kFileHeaderSize = 14;
  static constexpr std::size_t kInfoHeaderSize = 40;
  static constexpr int kColourTableEntries = 256;

  // Accepts 8 or 24 bits per pixel (else GIFException "Unsupported
  // PixelFormat") and a width and height of at least 1 (else GIFException
  // "Invalid image dimensions"). The palette gives the 8-bit colour table; it
  // may be null and must outlive the writer. Nothing is allocated yet.
  TDIBWriter(TBitmap& target, const TPalette* palette, int height, int width, TPixelFormat format);
  // Stores the result into the target if Finish has not, unless an exception
  // is passing: then the result is being thrown away anyway.
  ~TDIBWriter();

  // Row r (0 the top row) of the result, its storage made on first use: the
  // very bytes the target holds once finished. Whatever the rows' user leaves
  // unwritten is undefined; only the padding at the end of each row is
  // cleared. Throws EInvalidGraphicOperation "Scan line index out of range"
  // outside 0 .. height - 1; EOutOfMemory "Failed to allocate memory for GIF
  // DIB" when the storage cannot be had or its BMP file could not be
  // addressed (over 4 GB); and, as loading the BMP file would, EInvalidGraphic
  // kPictureTooLarge (ImageLimits.h) for a result over the picture-size cap.
  std::uint8_t* RowPointer(int row);

  // Moves the result into the target (no copy) and frees the header block.
  // Does nothing when no row was ever asked for.
  void Finish();

  std::size_t HeaderSize() const { return headerSize_; }
  std::size_t PixelsSize() const { return pixelsSize_; }
  std::size_t RowSize() const { return rowSize_; }
  // The header block (information header and colour table) that a BMP file
  // of the result would carry; null before the first row is asked for.
  const std::uint8_t* HeaderBlock() const { return header_.empty() ? nullptr : header_.data(); }

 private:
  void Build();
  void WriteHeaderBlock(std::uint8_t* header) const;
  // The colour table the header block gives, as a loaded bitmap holds it.
  std::vector<TPaletteEntry> ColourTableOf(const std::uint8_t* header) const;

  const TPalette* palette_;
  int height_;
  int width_;
  int bitsPerPixel_;
  std::size_t headerSize_;
  std::size_t rowSize_ = 0;
  std::size_t pixelsSize_ = 0;
  std::vector<std::uint8_t> header_;
  // The result while it is written; moved into the target by Finish.
  TBitmap result_;
  bool built_ = false;
  int uncaughtOnEntry_;
};

}  // namespace quill
