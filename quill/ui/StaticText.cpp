#include "quill/ui/StaticText.h"

#include "quill/ui/EventDispatch.h"

namespace quill {

void TStaticText::SetBorderStyle(TStaticBorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  NotifyStateChanged();
}

void TStaticText::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  NotifyStateChanged();
}

void TStaticText::SetLayout(TTextLayout layout) {
  if (layout == layout_) return;
  layout_ = layout;
  NotifyStateChanged();
}

void TStaticText::Click() {
  if (!CanReceiveInput()) return;
  Dispatch(OnClick);
}

void TStaticText::DblClick() {
  if (!CanReceiveInput()) return;
  Dispatch(OnDblClick);
}

}  // namespace quill
