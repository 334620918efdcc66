#pragma once
// Drawing a rectangle of one bitmap into a rectangle of another, scaled with
// the source bitmap's stretch filter and written in its draw mode.
#include "quill/imaging/Bitmap32.h"

namespace quill {

// Copies srcRect of src into dstRect of dst, clipped to dst. Rectangles of
// equal size are copied pixel for pixel whatever the filter. Throws
// ETransformError "Destination bitmap is nil or empty", "Source bitmap is nil or
// empty", or "Source rectangle is invalid" when a non-empty srcRect does not lie
// within src; nothing is drawn then. An empty srcRect or clipped dstRect draws
// nothing. Signals no change: callers do (see TBitmap32::DrawRect).
void DrawStretched(TBitmap32* dst, const TRect& dstRect, const TBitmap32* src, const TRect& srcRect);

}  // namespace quill
