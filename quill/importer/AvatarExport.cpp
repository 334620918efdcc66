#include "quill/importer/AvatarExport.h"

#include <cstdio>

#include "quill/imaging/DIB.h"
#include "quill/platform/ClipboardPictures.h"
#include "quill/shell/ClientLink.h"

namespace quill {

void SaveTempFile(const TBitmap& reduced) { reduced.SaveToFile(kTempFileName); }

void PutTempFileOnClipboard(IClipboard& clipboard) {
  TDIB dib;
  dib.LoadFile(kTempFileName);
  PutDIBOnClipboard(dib, clipboard);
  // A file that cannot be deleted (another program holds it) stays until the
  // next export; the avatar is on the clipboard either way.
  std::remove(kTempFileName);
}

void HandOffToClient(IDesktop& desktop) {
  if (!LoungeFound(desktop)) return;
  ShowLoungeForm(desktop);
  SendPropShortcuts(desktop);
}

}  // namespace quill
