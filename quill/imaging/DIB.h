#pragma once
// The DIB graphic: a picture kept as one packed device-independent bitmap
// (PackedDIB.h), handed to the clipboard unchanged. Copies of a TDIB share one
// immutable TDIBImage; every change builds a new image and swaps it in, so a
// failed read or resize leaves the previous image in place.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "quill/imaging/Graphic.h"
#include "quill/imaging/PackedDIB.h"
#include "quill/imaging/Palette.h"

namespace quill {

class TBitmap;
class TStream;

constexpr unsigned kDIBClipboardFormat = 8;  // CF_DIB

// One packed DIB with a 40-byte header, checked on construction.
class TDIBImage {
 public:
  // Takes a packed block; throws like ParseDIBHeader when its header is not
  // one this program reads, and EInvalidGraphic kInvalidBitmap when the block
  // is shorter than its header says.
  explicit TDIBImage(std::vector<std::uint8_t> block);

  std::int32_t Width() const { return layout_.Width; }
  std::int32_t Height() const { return layout_.Height; }
  int BitCount() const { return layout_.BitCount; }
  // Planes = 1 and 1 bit per pixel.
  bool Monochrome() const { return layout_.Planes == 1 && layout_.BitCount == 1; }
  std::uint32_t ColourCount() const { return layout_.Entries; }
  std::uint32_t RowBytes() const { return layout_.RowBytes; }

  // The whole block: header, colour table, rows. Header() is also the
  // BITMAPINFO a system drawing call takes, Pixels() its bits.
  const std::uint8_t* Header() const { return block_.data(); }
  std::size_t Size() const { return block_.size(); }
  std::size_t PixelOffset() const { return layout_.PixelOffset(); }
  const std::uint8_t* Pixels() const { return block_.data() + PixelOffset(); }
  const std::vector<std::uint8_t>& Bytes() const { return block_; }
  // The stored row that is row topRow (0 .. Height - 1) of the picture counted
  // from the top; rows are kept bottom-up.
  const std::uint8_t* Row(int topRow) const;
  // Colour-table entry i as red, green, blue, flags 0; zeros past the table.
  TPaletteEntry ColourEntry(std::uint32_t i) const;

 private:
  std::vector<std::uint8_t> block_;
  TDIBLayout layout_;
};

// The clipboard form of a DIB: format, the block's bytes, palette handle.
struct TClipboardDIB {
  unsigned Format = 0;
  std::vector<std::uint8_t> Data;
  unsigned Palette = 0;  // none
};

class TDIB : public TGraphic {
 public:
  TDIB() = default;

  int Width() const override { return image_ ? image_->Width() : 0; }
  int Height() const override { return image_ ? image_->Height() : 0; }
  bool Monochrome() const { return image_ && image_->Monochrome(); }
  // The shared image; null when empty.
  const std::shared_ptr<const TDIBImage>& Image() const { return image_; }

  // Reads the whole file as by ReadBMP; file errors are EFileError.
  void LoadFile(const std::string& fileName);
  // Reads a BMP file from the stream's position to its end. No bytes left makes
  // the picture empty. Errors: EInvalidGraphic kInvalidBitmap when the file
  // does not start with "BM", the header errors of ParseDIBHeader, EFileError
  // kStreamReadError when the stream ends before the header or the pixels do.
  // On any error the picture keeps its previous image.
  void ReadBMP(TStream& stream);
  // A 14-byte file header and the packed DIB; nothing for an empty picture.
  void WriteBMP(TStream& stream) const;

  // CF_DIB with a copy of the packed DIB. An empty picture has nothing to give:
  // EInvalidGraphicOperation kEmptyDIB.
  TClipboardDIB ExportClipboardDIB() const;
  // Reads a clipboard block in place (it stays the caller's). A format other
  // than CF_DIB, a missing block (null data) or any fault in the block, short
  // ones included, raises EInvalidGraphic kUnknownClipboardFormat.
  void ImportClipboardDIB(unsigned format, const std::uint8_t* data, std::size_t size);

  // Shares the other picture's image; null makes this picture empty.
  void CopyFrom(const TDIB* source);
  // Takes a plain bitmap's pixels and colour table as a packed DIB. An empty
  // bitmap raises kInvalidBitmap; a depth this reader cannot take raises
  // kInvalidBitmapFormat.
  void CopyFrom(const TBitmap& source);
  // A TDIB or a plain bitmap as above; any other graphic raises
  // EInvalidGraphicOperation kCannotAssignGraphic.
  void CopyFrom(const TGraphic& source);
  // The plain bitmap loads itself from this image presented as a BMP file;
  // an empty picture leaves it empty.
  void CopyTo(TBitmap& dst) const;

  // Rebuild the DIB at the new size keeping header fields and colour table;
  // the pixels that stay inside keep their place from the top-left corner,
  // the rest are 0. Sizes are checked like any picture (CheckPictureSize).
  // An empty picture has no header to keep: EInvalidGraphicOperation kEmptyDIB.
  void SetWidth(int width);
  void SetHeight(int height);

  // One entry per colour-table entry (colours used); none for 16 bits and more.
  TPalette MakePalette() const;

  // Decodes the rows into opaque pixels; index values past the colour table
  // come out black.
  void DrawOnto(TBitmap32& dst) const override;

  // The form-storage property: a 4-byte length (DIB size + 14, 0 when empty)
  // followed by WriteBMP's bytes.
  void WriteData(TStream& stream) const;
  void ReadData(TStream& stream);

  std::function<void()> OnChange;

 private:
  void SetImage(std::shared_ptr<const TDIBImage> image);
  void Resize(int width, int height);

  std::shared_ptr<const TDIBImage> image_;
};

inline const char* const kEmptyDIB = "The DIB is empty";
inline const char* const kCannotAssignGraphic = "Cannot assign this kind of picture to a DIB";

// Step 2 of reading a BMP file: a packed DIB (12- or 40-byte header) from the
// stream's position. Checks the header and that the stream holds the colour
// table and all pixel rows before allocating the block.
std::shared_ptr<const TDIBImage> ReadPackedDIB(TStream& stream);

}  // namespace quill
