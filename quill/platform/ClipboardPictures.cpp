#include "quill/platform/ClipboardPictures.h"

#include "quill/imaging/Bitmap.h"
#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/DIB.h"
#include "quill/imaging/Errors.h"

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
  clipboard.Clear();
  clipboard.SetData(item.Format, item.Data);
}

std::unique_ptr<TDIB> PictureFromClipboard(const IClipboard& clipboard) {
  auto dib = std::make_unique<TDIB>();
  const auto formats = clipboard.Formats();
  auto has = [&formats](unsigned format) {
    for (unsigned f : formats)
      if (f == format) return true;
    return false;
  };
  if (has(kCF_DIB))
    ImportItem(*dib, clipboard, kCF_DIB);
  else if (has(kCF_BITMAP))
    ImportItem(*dib, clipboard, kCF_BITMAP);
  else
    throw EInvalidGraphic(kUnknownClipboardFormat);
  return dib;
}

void CopyBitmap32FromClipboard(TBitmap32& bitmap, const IClipboard& clipboard) {
  std::unique_ptr<TDIB> picture;
  try {
    picture = PictureFromClipboard(clipboard);
  } catch (...) {
    bitmap.NotifyChanged();
    throw;
  }
  // A DIB graphic is drawn onto the bitmap and made opaque, whatever its depth.
  bitmap.CopyFrom(static_cast<const TGraphic&>(*picture));
}

void CopyBitmap32ToClipboard(const TBitmap32& bitmap, IClipboard& clipboard) {
  TBitmap plain;
  bitmap.CopyTo(plain);
  TDIB dib;
  dib.CopyFrom(plain);
  const TClipboardDIB item = dib.ExportClipboardDIB();
  clipboard.Clear();
  clipboard.SetData(kCF_BITMAP, item.Data);
}

}  // namespace quill
