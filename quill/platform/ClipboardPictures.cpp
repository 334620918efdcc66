#include "quill/platform/ClipboardPictures.h"

#include "quill/base/Errors.h"
#include "quill/imaging/Bitmap.h"
#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/DIB.h"
#include "quill/imaging/PackedDIB.h"

namespace quill {

static_assert(kDIBClipboardFormat == kCF_DIB, "the DIB graphic and the clipboard agree on CF_DIB");

namespace {

// Reads one clipboard item as a packed DIB into dib. The bytes of either
// image format are a packed DIB, so both go through the CF_DIB reader.
void ImportItem(TDIB& dib, const IClipboard& clipboard, unsigned format) {
  const auto block = clipboard.GetData(format);
  if (!block) throw EInvalidGraphic(kUnknownClipboardFormat);
  dib.ImportClipboardDIB(kCF_DIB, block->data(), block->size());
}

}  // namespace

void CopyDIBFromClipboard(TDIB& dib, const IClipboard& clipboard) {
  if (!clipboard.HasFormat(kCF_DIB)) throw EInvalidGraphic(kUnknownClipboardFormat);
  ImportItem(dib, clipboard, kCF_DIB);
}

void PutDIBOnClipboard(const TDIB& dib, IClipboard& clipboard) {
  const TClipboardDIB item = dib.ExportClipboardDIB();
  clipboard.SetSingleItem(item.Format, item.Data);
}

std::unique_ptr<TGraphic> PictureFromClipboard(const IClipboard& clipboard) {
  const auto formats = clipboard.Formats();
  auto has = [&formats](unsigned format) {
    for (unsigned f : formats)
      if (f == format) return true;
    return false;
  };
  const unsigned format = has(kCF_DIB) ? kCF_DIB : has(kCF_BITMAP) ? kCF_BITMAP : 0;
  if (format == 0) throw EInvalidGraphic(kUnknownClipboardFormat);
  const auto block = clipboard.GetData(format);
  if (!block) throw EInvalidGraphic(kUnknownClipboardFormat);

  auto dib = std::make_unique<TDIB>();
  try {
    dib->ImportClipboardDIB(kCF_DIB, block->data(), block->size());
    return dib;
  } catch (const EInvalidGraphic&) {
    // Other programs' images (and the system's own CF_DIB made from a 32-bit
    // bitmap) often carry bit-field masks, compression or top-down rows, which
    // the DIB graphic does not take. The plain bitmap reads every such variant:
    // give it the block as a BMP file whose pixel offset it works out itself.
  }
  const auto fileHeader = MakeBmpFileHeader(std::uint32_t(block->size()), 0);
  std::vector<std::uint8_t> file(fileHeader.begin(), fileHeader.end());
  file.insert(file.end(), block->begin(), block->end());
  auto plain = std::make_unique<TBitmap>();
  try {
    plain->LoadFromStream(file.data(), file.size());
  } catch (const EInvalidGraphic&) {
    throw EInvalidGraphic(kUnknownClipboardFormat);
  }
  return plain;
}

void CopyBitmap32FromClipboard(TBitmap32& bitmap, const IClipboard& clipboard) {
  std::unique_ptr<TGraphic> picture;
  try {
    picture = PictureFromClipboard(clipboard);
  } catch (...) {
    bitmap.NotifyChanged();
    throw;
  }
  // Any clipboard picture is drawn onto the bitmap and made opaque, whatever its depth.
  bitmap.CopyFrom(*picture);
  bitmap.ForceOpaque();
}

void CopyBitmap32ToClipboard(const TBitmap32& bitmap, IClipboard& clipboard) {
  TBitmap plain;
  bitmap.CopyTo(plain);
  TDIB dib;
  dib.CopyFrom(plain);
  clipboard.SetSingleItem(kCF_BITMAP, dib.ExportClipboardDIB().Data);
}

}  // namespace quill
