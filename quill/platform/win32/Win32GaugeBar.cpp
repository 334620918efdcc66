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
    if (vertical) FillSolid(dc, RECT{centreX - j, centreY + along, centreX + j + 1, centreY + along + 1}, colour);
    else FillSolid(dc, RECT{centreX + along, centreY - j, centreX + along + 1, centreY + j + 1}, colour);
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

void TGaugeBarPeer::Paint(HDC dc, const RECT& client) {
  const TGaugeBar& bar = Bar();
  const bool vertical = bar.ScrollKind() == sbVertical;
  const TGaugeLayout layout = bar.Geometry().Layout(bar.Position());
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

void TGaugeBarPeer::StopTracking() {
  if (!Control() || !Bar().MouseUp()) return;
  KillTimer(Window(), kRepeatTimer);
  if (GetCapture() == Window()) ReleaseCapture();
}

LRESULT TGaugeBarPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!Control()) return TWin32Peer::HandleMessage(message, wParam, lParam);
  const int x = short(LOWORD(lParam));
  const int y = short(HIWORD(lParam));
  switch (message) {
    case WM_LBUTTONDOWN: {
      if (!Bar().CanReceiveInput()) return 0;
      // Captured before the first step: a failing change handler's message
      // box takes the capture away again, which ends the press.
      SetCapture(Window());
      const TGaugePart held = Bar().MouseDown(x, y);
      if (held == gpNone) {
        if (GetCapture() == Window()) ReleaseCapture();
      } else if (held != gpHandle && Control() && Bar().HeldPart() != gpNone) {
        SetTimer(Window(), kRepeatTimer, kFirstRepeatMs, nullptr);
      }
      return 0;
    }
    case WM_MOUSEMOVE:
      Bar().MouseMove(x, y);
      return 0;
    case WM_TIMER:
      if (wParam == kRepeatTimer) {
        if (Bar().RepeatTick() && Control()) SetTimer(Window(), kRepeatTimer, kRepeatMs, nullptr);
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
