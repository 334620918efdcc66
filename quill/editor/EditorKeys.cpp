// The editor's keyboard: Ctrl+Z undoes the last action on the expanded view,
// Ctrl+Y does it again. Only while the editor page is shown, so that no key
// changes a view the user cannot see, and not while a button is held: the
// history ignores them until the action's release closes its step.
#include "quill/shell/Form1.h"

namespace quill {
namespace {

constexpr unsigned kVkZ = 'Z';
constexpr unsigned kVkY = 'Y';

}  // namespace

void TForm1::FormKeyDown(unsigned key, TShiftState shift) {
  if (AVEditor.Left() != kShownPageLeft) return;
  if (!(shift & ssCtrl) || (shift & (ssAlt | ssShift))) return;
  TRect restored;
  if (key == kVkZ) restored = editorHistory_.Undo(AVExpandedImage32.Bitmap());
  if (key == kVkY) restored = editorHistory_.Redo(AVExpandedImage32.Bitmap());
  // The magnifier would otherwise go on showing (and giving to a right click)
  // colours the view no longer has.
  ShowMagnifiedCells(restored);
}

}  // namespace quill
