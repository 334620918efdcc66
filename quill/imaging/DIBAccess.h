#pragma once
// Row access for the palette reduction. TDIBReader hands out the source's own
// 24-bit rows; TDIBWriter builds the result as a packed DIB (information
// header, colour table, pixels) and stores it into its target bitmap as an
// in-memory BMP file when it is finished.
#include <cstddef>
#include <cstdint>
#include <memory>

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
  // Stores the DIB into the target if Finish has not; a failure there cannot
  // be reported from a destructor and leaves the target as it was.
  ~TDIBWriter();

  // Row r (0 the top row) of the pixel block, built on first use. Throws
  // EInvalidGraphicOperation "Scan line index out of range" outside
  // 0 .. height - 1, and EOutOfMemory "Failed to allocate memory for GIF DIB"
  // when the block cannot be had.
  std::uint8_t* RowPointer(int row);

  // Makes the in-memory BMP file, loads the target from it and frees the
  // blocks. Does nothing when no row was ever asked for.
  void Finish();

  std::size_t HeaderSize() const { return headerSize_; }
  std::size_t PixelsSize() const { return pixelsSize_; }
  std::size_t RowSize() const { return rowSize_; }
  // The header block (information header and colour table), empty before
  // the first row is asked for.
  const std::uint8_t* HeaderBlock() const { return dib_ ? dib_.get() + kFileHeaderSize : nullptr; }

 private:
  void BuildDIB();
  void WriteHeaderBlock(std::uint8_t* header) const;

  const TPalette* palette_;
  int height_;
  int width_;
  int bitsPerPixel_;
  std::size_t headerSize_;
  std::size_t rowSize_ = 0;
  std::size_t pixelsSize_ = 0;
  // The whole BMP file in one block: file header, header block, pixel block,
  // so storing it into the target needs no further copy.
  std::unique_ptr<std::uint8_t[]> dib_;
  std::size_t dibSize_ = 0;
  std::uint8_t* pixels_ = nullptr;
  int uncaughtOnEntry_;
};

}  // namespace quill
