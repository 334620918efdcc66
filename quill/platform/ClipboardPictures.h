#pragma once
// Pictures to and from the clipboard service. Images cross the clipboard as
// packed DIB bytes (see Clipboard.h); the DIB graphic reads and writes them.
#include <memory>

#include "quill/platform/Clipboard.h"

namespace quill {

class TBitmap32;
class TDIB;
class TGraphic;

// Takes the clipboard's CF_DIB item into the picture in place. Without a CF_DIB
// item, or with one that is not a DIB this program reads: EInvalidGraphic
// "Unknown clipboard format"; the picture then keeps its image.
void CopyDIBFromClipboard(TDIB& dib, const IClipboard& clipboard);

// Puts the picture's packed DIB on the clipboard, in one session, as its one
// CF_DIB item. An empty picture raises before the clipboard is touched.
void PutDIBOnClipboard(const TDIB& dib, IClipboard& clipboard);

// The clipboard's picture: the CF_DIB item when there is one, else the
// CF_BITMAP item (the service hands a bitmap over as its packed DIB). It comes
// as a DIB graphic when the DIB reader takes it, else (bit fields, compression,
// top-down rows) as a plain bitmap. Neither item, or bytes that no reader
// takes: "Unknown clipboard format".
std::unique_ptr<TGraphic> PictureFromClipboard(const IClipboard& clipboard);

// The 32-bit bitmap takes the clipboard's picture: sized to it, drawn, made
// opaque. On failure the bitmap keeps its pixels; a change is signalled either way.
void CopyBitmap32FromClipboard(TBitmap32& bitmap, const IClipboard& clipboard);

// Puts the bitmap on the clipboard, in one session, as its one CF_BITMAP item: a
// 32-bit plain bitmap of the same size and pixels (alpha bytes included),
// handed over as its packed DIB. An empty bitmap raises EInvalidGraphic
// "Invalid bitmap" before the clipboard is touched.
void CopyBitmap32ToClipboard(const TBitmap32& bitmap, IClipboard& clipboard);

}  // namespace quill
