#include "quill/platform/win32/Win32GaugeBar.h"

#include "quill/platform/win32/Win32Backend.h"
#include "quill/platform/win32/Win32Paint.h"

namespace quill {
namespace {

constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstRepeatMs = 400;
constexpr UINT kRepeatMs = 50;
constexpr int kArrowHalfWidth = 3;

RECT ToRect(const TRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }

bool IsEmpty(const TRect& r) { return r.Width() <= 0 || r.Height() <= 0; }

// A small solid triangle pointing towards the decreasing or increasing end:
// line j, counted from the tip, is 2j + 1 pixels wide.
void DrawArrow(HDC dc, const RECT& box, bool vertical, bool increasing, TColor32 colour) {
  const int centreX = (box.left + box.right) / 2;
  const int centreY = (box.top + box.bottom) / 2;
  const int tip = increasing ? kArrowHalfWidth / 2 : -kArrowHalfWidth / 2;
  for (int j = 0; j <= kArrowHalfWidth; ++j) {
    const int along = increasing ? tip - j : tip + j;
    if (vertical)
      FillSolid(dc, RECT{centreX - j, centreY + along, centreX + j + 1, centreY + along + 1}, colour);
    else
      FillSolid(dc, RECT{centreX + along, centreY - j, centreX + along + 1, centreY + j + 1}, colour);
  }
}

void DrawButtonFace(HDC dc, const RECT& box) {
  FillSolid(dc, box, clBtnFace);
  DrawBevel(dc, box, true);
}

}  // namespace

void TGaugeBarPeer::CreateNativeWindow(HWND parent) {
  const TControl& c = *Control();
  MakeWindow(TWin32Backend::kGaugeBarClass,
             WS_CHILD | WS_CLIPSIBLINGS | (c.Visible() ? WS_VISIBLE : 0) | (c.Enabled() ? 0 : WS_DISABLED), 0, parent,
             "");
}

TGaugeGeometry TGaugeBarPeer::Geometry() const {
  const TGaugeBar& bar = Bar();
  return TGaugeGeometry(bar.Width(), bar.Height(), bar.ScrollKind() == sbVertical, bar.HandleSize(), bar.Min(),
                        bar.Max());
}

void TGaugeBarPeer::Paint(HDC dc, const RECT& client) {
  const TGaugeBar& bar = Bar();
  const bool vertical = bar.ScrollKind() == sbVertical;
  const TGaugeLayout layout = Geometry().Layout(bar.Position());
  FillSolid(dc, client, bar.Color());
  const TColor32 arrowColour = bar.Enabled() ? clBlack : clGray;
  if (!IsEmpty(layout.DecreaseArrow)) {
    const RECT decrease = ToRect(layout.DecreaseArrow);
    const RECT increase = ToRect(layout.IncreaseArrow);
    DrawButtonFace(dc, decrease);
    DrawButtonFace(dc, increase);
    DrawArrow(dc, decrease, vertical, false, arrowColour);
    DrawArrow(dc, increase, vertical, true, arrowColour);
  }
  DrawBevel(dc, ToRect(layout.Track), false);
  if (!IsEmpty(layout.Handle)) DrawButtonFace(dc, ToRect(layout.Handle));
}

bool TGaugeBarPeer::StepHeldPart() {
  TGaugeBar& bar = Bar();
  const TGaugeGeometry geometry = Geometry();
  const int before = bar.Position();
  switch (held_) {
    case gpDecrease:
      bar.SetPosition(before - 1);
      break;
    case gpIncrease:
      bar.SetPosition(before + 1);
      break;
    case gpTrackBefore:
    case gpTrackAfter: {
      // Paging stops once the handle has reached the mouse.
      if (geometry.HitTest(before, lastMouse_.x, lastMouse_.y) != held_) return false;
      bar.SetPosition(before + (held_ == gpTrackBefore ? -geometry.PageStep() : geometry.PageStep()));
      break;
    }
    default:
      return false;
  }
  return Control() && Bar().Position() != before;
}

void TGaugeBarPeer::StopTracking() {
  if (held_ == gpNone) return;
  held_ = gpNone;
  KillTimer(Window(), kRepeatTimer);
  if (GetCapture() == Window()) ReleaseCapture();
}

LRESULT TGaugeBarPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN: {
      if (!Bar().CanReceiveInput()) return 0;
      lastMouse_ = POINT{short(LOWORD(lParam)), short(HIWORD(lParam))};
      const TGaugeGeometry geometry = Geometry();
      held_ = geometry.HitTest(Bar().Position(), lastMouse_.x, lastMouse_.y);
      if (held_ == gpNone) return 0;
      SetCapture(Window());
      if (held_ == gpHandle) {
        grabOffset_ = geometry.AxisOffset(lastMouse_.x, lastMouse_.y) - geometry.HandleStart(Bar().Position());
      } else {
        StepHeldPart();
        SetTimer(Window(), kRepeatTimer, kFirstRepeatMs, nullptr);
      }
      return 0;
    }
    case WM_MOUSEMOVE:
      lastMouse_ = POINT{short(LOWORD(lParam)), short(HIWORD(lParam))};
      if (held_ == gpHandle) {
        const TGaugeGeometry geometry = Geometry();
        Bar().SetPosition(geometry.PositionFromHandleStart(geometry.AxisOffset(lastMouse_.x, lastMouse_.y) - grabOffset_));
      }
      return 0;
    case WM_TIMER:
      if (wParam == kRepeatTimer && held_ != gpNone && held_ != gpHandle) {
        if (StepHeldPart()) SetTimer(Window(), kRepeatTimer, kRepeatMs, nullptr);
        else KillTimer(Window(), kRepeatTimer);
      }
      return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      StopTracking();
      return 0;
    default:
      return TWin32Peer::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace quill
