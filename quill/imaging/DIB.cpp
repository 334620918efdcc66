#include "quill/imaging/DIB.h"

#include <cstring>
#include <new>

#include "quill/base/Errors.h"
#include "quill/imaging/Bitmap.h"
#include "quill/imaging/FakeDIBFileStream.h"
#include "quill/imaging/FileBytes.h"
#include "quill/imaging/Stream.h"

namespace quill {

TDIBImage::TDIBImage(std::vector<std::uint8_t> block) : block_(std::move(block)) {
  if (block_.size() < kInfoHeaderSize) throw EInvalidGraphic(kInvalidBitmap);
  // The packed form always carries the 40-byte header; core headers are
  // widened by the reader before a block gets here.
  if (GetLE32(block_.data() + kBiSize) != kInfoHeaderSize) throw EInvalidGraphic("");
  layout_ = ParseDIBHeader(block_.data(), kInfoHeaderSize);
  if (block_.size() < layout_.PackedSize()) throw EInvalidGraphic(kInvalidBitmap);
  // The count a reader found is the count the header states from now on.
  PutLE32(block_.data() + kBiClrUsed, layout_.Entries);
  block_.resize(layout_.PackedSize());
}

const std::uint8_t* TDIBImage::Row(int topRow) const {
  const std::size_t storedRow = std::size_t(layout_.Height - 1 - topRow);
  return Pixels() + storedRow * layout_.RowBytes;
}

TPaletteEntry TDIBImage::ColourEntry(std::uint32_t i) const {
  TPaletteEntry entry;
  if (i >= layout_.Entries) return entry;
  const std::uint8_t* quad = block_.data() + kInfoHeaderSize + std::size_t(i) * kColourEntrySize;
  entry.Blue = quad[0];
  entry.Green = quad[1];
  entry.Red = quad[2];
  return entry;
}

std::shared_ptr<const TDIBImage> ReadPackedDIB(TStream& stream) {
  std::uint8_t header[kInfoHeaderSize] = {};
  stream.ReadBuffer(header, sizeof(std::uint32_t));
  const std::uint32_t headerSize = GetLE32(header);
  if (headerSize != kCoreHeaderSize && headerSize != kInfoHeaderSize) throw EInvalidGraphic("");
  stream.ReadBuffer(header + sizeof(std::uint32_t), headerSize - sizeof(std::uint32_t));
  const TDIBLayout layout = ParseDIBHeader(header, headerSize);

  // Everything the header promises must be there before the block is made:
  // a short file must not cost an allocation of the size it claims.
  const std::uint64_t needed = std::uint64_t(layout.SourceTableBytes()) + layout.PixelBytes;
  if (std::uint64_t(stream.Remaining()) < needed) throw EFileError(kStreamReadError);

  std::vector<std::uint8_t> block = AllocateBlock(layout.PackedSize());
  WritePackedHeader(layout, header, block.data());
  std::uint8_t* table = block.data() + kInfoHeaderSize;
  if (headerSize == kCoreHeaderSize) {
    // Core tables hold blue, green, red triples; the packed form pads each to four.
    std::uint8_t triples[kMaxColourTableEntries * kCoreColourEntrySize];
    stream.ReadBuffer(triples, layout.SourceTableBytes());
    for (std::uint32_t i = 0; i < layout.Entries; ++i)
      std::memcpy(table + i * kColourEntrySize, triples + i * kCoreColourEntrySize, kCoreColourEntrySize);
  } else {
    stream.ReadBuffer(table, layout.SourceTableBytes());
  }
  stream.ReadBuffer(block.data() + layout.PixelOffset(), layout.PixelBytes);
  return std::make_shared<const TDIBImage>(std::move(block));
}

void TDIB::SetImage(std::shared_ptr<const TDIBImage> image) {
  image_ = std::move(image);
  if (OnChange) OnChange();
}

void TDIB::LoadFile(const std::string& fileName) {
  const std::vector<std::uint8_t> bytes = ReadFileBytes(fileName);
  TMemoryViewStream stream(bytes);
  ReadBMP(stream);
}

void TDIB::ReadBMP(TStream& stream) {
  if (stream.Remaining() == 0) {
    SetImage(nullptr);
    return;
  }
  std::uint8_t fileHeader[kBmpFileHeaderSize];
  stream.ReadBuffer(fileHeader, sizeof fileHeader);
  if (GetLE16(fileHeader) != kBmpSignature) throw EInvalidGraphic(kInvalidBitmap);
  // The rest of the file header, the pixel offset included, is not used: the
  // rows follow the colour table directly.
  SetImage(ReadPackedDIB(stream));
}

void TDIB::WriteBMP(TStream& stream) const {
  if (!image_) return;
  const auto fileHeader = MakeBmpFileHeader(std::uint32_t(image_->Size()), std::uint32_t(image_->PixelOffset()));
  stream.WriteBuffer(fileHeader.data(), fileHeader.size());
  stream.WriteBuffer(image_->Header(), image_->Size());
}

TClipboardDIB TDIB::ExportClipboardDIB() const {
  if (!image_) throw EInvalidGraphicOperation(kEmptyDIB);
  TClipboardDIB result;
  result.Format = kDIBClipboardFormat;
  result.Data = AllocateBlock(image_->Size());
  std::memcpy(result.Data.data(), image_->Header(), image_->Size());
  return result;
}

void TDIB::ImportClipboardDIB(unsigned format, const std::uint8_t* data, std::size_t size) {
  if (format != kDIBClipboardFormat || !data) throw EInvalidGraphic(kUnknownClipboardFormat);
  std::shared_ptr<const TDIBImage> image;
  try {
    TMemoryViewStream stream(data, size);
    image = ReadPackedDIB(stream);
  } catch (const EInvalidGraphic&) {
    throw EInvalidGraphic(kUnknownClipboardFormat);
  } catch (const EFileError&) {
    // A block shorter than its header says is as foreign as a bad header.
    throw EInvalidGraphic(kUnknownClipboardFormat);
  }
  SetImage(std::move(image));
}

void TDIB::CopyFrom(const TDIB* source) { SetImage(source ? source->image_ : nullptr); }

void TDIB::CopyFrom(const TGraphic& source) {
  if (auto* dib = dynamic_cast<const TDIB*>(&source)) return CopyFrom(dib);
  if (auto* plain = dynamic_cast<const TBitmap*>(&source)) return CopyFrom(*plain);
  throw EInvalidGraphicOperation(kCannotAssignGraphic);
}

void TDIB::CopyTo(TBitmap& dst) const {
  if (!image_) {
    dst.SetSize(0, 0);
    return;
  }
  TFakeDIBFileStream stream(image_);
  std::vector<std::uint8_t> file = AllocateBlock(std::size_t(stream.Size()));
  stream.ReadBuffer(file.data(), file.size());
  dst.LoadFromStream(file.data(), file.size());
}

void TDIB::WriteData(TStream& stream) const {
  std::uint8_t length[sizeof(std::uint32_t)];
  PutLE32(length, image_ ? std::uint32_t(image_->Size() + kBmpFileHeaderSize) : 0);
  stream.WriteBuffer(length, sizeof length);
  WriteBMP(stream);
}

void TDIB::ReadData(TStream& stream) {
  std::uint8_t lengthBytes[sizeof(std::uint32_t)];
  stream.ReadBuffer(lengthBytes, sizeof lengthBytes);
  const std::uint32_t length = GetLE32(lengthBytes);
  if (length == 0) {
    SetImage(nullptr);
    return;
  }
  if (std::uint64_t(stream.Remaining()) < length) throw EFileError(kStreamReadError);
  std::vector<std::uint8_t> file = AllocateBlock(length);
  stream.ReadBuffer(file.data(), file.size());
  TMemoryViewStream view(file);
  ReadBMP(view);
}

}  // namespace quill
