#pragma once
// The hand-off of a paletted avatar to the chat client, shared by the
// importer's and the editor's exports: the temporary BMP file, the one CF_DIB
// item made from it, and the client's shortcuts.
#include "quill/imaging/Bitmap.h"
#include "quill/platform/Clipboard.h"
#include "quill/platform/Desktop.h"

namespace quill {

// In the current directory, which the open dialog moves to the folder of the
// picture last chosen.
inline const char* const kTempFileName = "avedtemp.bmp";

// Saves the reduced avatar as the temporary file (file errors raise).
void SaveTempFile(const TBitmap& reduced);

// Reads the temporary file back into a DIB graphic, empties the clipboard
// and puts the DIB on it as its one CF_DIB item, then deletes the file. A
// failure before the clipboard is opened leaves the clipboard as it was.
void PutTempFileOnClipboard(IClipboard& clipboard);

// When the client is running: brings it forward and types its shortcuts for
// taking the clipboard image as props and showing them. Otherwise nothing.
void HandOffToClient(IDesktop& desktop);

}  // namespace quill
