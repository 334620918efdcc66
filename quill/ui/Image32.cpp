#include "quill/ui/Image32.h"

#include <algorithm>
#include <cmath>

#include "quill/ui/EventDispatch.h"

namespace quill {
namespace {

// Halves to even, as every float-to-pixel conversion of the program.
int RoundToPixels(double value) { return int(std::nearbyint(value)); }

}  // namespace

TImage32::TImage32(std::string name) : TControl(ckImage32, std::move(name)) {
  bitmap_.OnChange = [this] { Repaint(); };
}

void TImage32::Repaint() {
  focusRects_.clear();
  Invalidate();
}

void TImage32::DrawFocusRect(const TRect& r) {
  const auto shown = std::find(focusRects_.begin(), focusRects_.end(), r);
  if (shown != focusRects_.end()) {
    focusRects_.erase(shown);
  } else {
    focusRects_.push_back(r);
  }
  if (Peer()) Peer()->FocusRectDrawn(r);
}

void TImage32::SetScale(float scale) {
  scale = std::max(scale, kMinScale);
  if (scale == scale_) return;
  scale_ = scale;
  Changed();
}

void TImage32::SetScaleMode(TScaleMode mode) {
  if (mode == scaleMode_) return;
  scaleMode_ = mode;
  Changed();
}

void TImage32::SetBitmapAlign(TBitmapAlign align) {
  if (align == bitmapAlign_) return;
  bitmapAlign_ = align;
  Changed();
}

void TImage32::SetOffset(float horz, float vert) {
  if (horz == offsetHorz_ && vert == offsetVert_) return;
  offsetHorz_ = horz;
  offsetVert_ = vert;
  Changed();
}

void TImage32::Changed() {
  NotifyStateChanged();
  Repaint();
}

TRect TImage32::BitmapRect() const {
  if (bitmap_.Empty()) return {};
  const int bw = bitmap_.Width();
  const int bh = bitmap_.Height();
  int w = bw;
  int h = bh;
  switch (scaleMode_) {
    case smNormal:
      break;
    case smStretch:
      w = Width();
      h = Height();
      break;
    case smScale:
      w = RoundToPixels(double(bw) * scale_);
      h = RoundToPixels(double(bh) * scale_);
      break;
    case smResize: {
      const double fit = std::min(double(Width()) / bw, double(Height()) / bh);
      w = RoundToPixels(bw * fit);
      h = RoundToPixels(bh * fit);
      break;
    }
  }
  int left = 0;
  int top = 0;
  if (bitmapAlign_ == baCenter) {
    // Integer halves, truncated toward zero also when the bitmap is larger.
    left = (Width() - w) / 2;
    top = (Height() - h) / 2;
  } else if (bitmapAlign_ == baCustom) {
    left = RoundToPixels(offsetHorz_);
    top = RoundToPixels(offsetVert_);
  }
  return {left, top, left + w, top + h};
}

void TImage32::FitBitmapToControl(bool clear, TColor32 colour) {
  bitmap_.ChangeSize(Width(), Height());
  if (clear) bitmap_.FillAll(colour);
  Repaint();
}

void TImage32::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (!CanReceiveInput() || !OnMouseDown) return;
  Dispatch([&] { OnMouseDown(button, shift, x, y); });
}

void TImage32::MouseMove(TShiftState shift, int x, int y) {
  if (!CanReceiveInput() || !OnMouseMove) return;
  Dispatch([&] { OnMouseMove(shift, x, y); });
}

void TImage32::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (!CanReceiveInput() || !OnMouseUp) return;
  Dispatch([&] { OnMouseUp(button, shift, x, y); });
}

void TImage32::Click() {
  if (!CanReceiveInput()) return;
  Dispatch(OnClick);
}

}  // namespace quill
