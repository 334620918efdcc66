// The editor's keyboard: Ctrl+Z undoes the last action on the expanded view,
// Ctrl+Y does it again. Only while the editor page is shown, so that no key
// changes a view the user cannot see.
#include "quill/shell/Form1.h"

namespace quill {
namespace {

constexpr unsigned kVkZ = 'Z';
constexpr unsigned kVkY = 'Y';

}  // namespace

void TForm1::FormKeyDown(unsigned key, TShiftState shift) {
  if (AVEditor.Left() != kShownPageLeft) return;
  if (!(shift & ssCtrl) || (shift & (ssAlt | ssShift))) return;
  if (key == kVkZ) editorHistory_.Undo(AVExpandedImage32.Bitmap());
  if (key == kVkY) editorHistory_.Redo(AVExpandedImage32.Bitmap());
}

}  // namespace quill
