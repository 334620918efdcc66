#include "quill/platform/win32/Win32Images.h"

#include "quill/platform/win32/Win32Backend.h"
#include "quill/platform/win32/Win32Handles.h"
#include "quill/platform/win32/Win32Paint.h"

namespace quill {
namespace {

constexpr WPARAM kAnyButton = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON;

DWORD ChildStyle(const TControl& c) {
  return WS_CHILD | WS_CLIPSIBLINGS | (c.Visible() ? WS_VISIBLE : 0) | (c.Enabled() ? 0 : WS_DISABLED);
}

// Mouse positions are signed: with the mouse captured they may lie left of or
// above the control.
int MouseX(LPARAM position) { return short(LOWORD(position)); }
int MouseY(LPARAM position) { return short(HIWORD(position)); }

bool InsideClient(HWND window, LPARAM position) {
  RECT client;
  GetClientRect(window, &client);
  const POINT point{MouseX(position), MouseY(position)};
  return PtInRect(&client, point) != FALSE;
}

RECT ToRect(const TRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }

}  // namespace

// 32-bit views

void TImage32Peer::CreateNativeWindow(HWND parent) {
  MakeWindow(TWin32Backend::kImageClass, ChildStyle(*Control()), 0, parent, "");
}

void TImage32Peer::Paint(HDC dc, const RECT& client) {
  const TImage32& image = Image();
  // Nothing may replace the pixels while they are on their way to the screen.
  const TBitmapLock lock(image.Bitmap());
  const TRect covered = image.BitmapRect();
  if (covered.Width() <= 0 || covered.Height() <= 0) {
    FillSolid(dc, client, image.Color());
    return;
  }
  if (image.BitmapAlign() == baTile) {
    for (int top = covered.Top; top < client.bottom; top += covered.Height())
      for (int left = covered.Left; left < client.right; left += covered.Width())
        DrawBitmap32(dc, image.Bitmap(), RECT{left, top, left + covered.Width(), top + covered.Height()});
    return;
  }
  // The background only where the bitmap does not cover, so nothing flickers.
  const RECT bitmapRect = ToRect(covered);
  const int saved = SaveDC(dc);
  ExcludeClipRect(dc, bitmapRect.left, bitmapRect.top, bitmapRect.right, bitmapRect.bottom);
  FillSolid(dc, client, image.Color());
  RestoreDC(dc, saved);
  DrawBitmap32(dc, image.Bitmap(), bitmapRect);
  // The rubber band lies over the pixels it inverts; the bitmap never has it.
  for (const TRect& r : image.FocusRects()) {
    const RECT focus = ToRect(r);
    DrawFocusRect(dc, &focus);
  }
}

void TImage32Peer::FocusRectDrawn(const TRect& r) {
  if (!Window() || r.Width() <= 0 || r.Height() <= 0) return;
  // Straight onto the screen, as the system's focus rectangle is drawn: a
  // second inversion of the same rectangle takes it away again without a
  // repaint of the view.
  const TWindowDc dc(Window());
  if (!dc.Dc()) return;
  const RECT focus = ToRect(r);
  DrawFocusRect(dc.Dc(), &focus);
}

void TImage32Peer::ButtonDown(TMouseButton button, WPARAM keys, LPARAM position) {
  SetCapture(Window());
  if (button == mbLeft) clicked_ = true;
  Image().MouseDown(button, ShiftStateFromMouse(keys), MouseX(position), MouseY(position));
}

void TImage32Peer::ButtonUp(TMouseButton button, WPARAM keys, LPARAM position) {
  // Releasing the capture clears clicked_ (WM_CAPTURECHANGED): read it first.
  const bool clicked = button == mbLeft && clicked_;
  if (button == mbLeft) clicked_ = false;
  if (!(keys & kAnyButton) && GetCapture() == Window()) ReleaseCapture();
  // The click comes before the button-up event, as the framework reports them.
  if (clicked && InsideClient(Window(), position)) Image().Click();
  if (Control()) Image().MouseUp(button, ShiftStateFromMouse(keys), MouseX(position), MouseY(position));
}

LRESULT TImage32Peer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
      ButtonDown(mbLeft, wParam, lParam);
      return 0;
    case WM_RBUTTONDOWN:
      ButtonDown(mbRight, wParam, lParam);
      return 0;
    case WM_MBUTTONDOWN:
      ButtonDown(mbMiddle, wParam, lParam);
      return 0;
    case WM_LBUTTONUP:
      ButtonUp(mbLeft, wParam, lParam);
      return 0;
    case WM_RBUTTONUP:
      ButtonUp(mbRight, wParam, lParam);
      return 0;
    case WM_MBUTTONUP:
      ButtonUp(mbMiddle, wParam, lParam);
      return 0;
    case WM_MOUSEMOVE:
      Image().MouseMove(ShiftStateFromMouse(wParam), MouseX(lParam), MouseY(lParam));
      return 0;
    case WM_CAPTURECHANGED:
      clicked_ = false;
      return 0;
    default:
      return TWin32Peer::HandleMessage(message, wParam, lParam);
  }
}

// Plain picture view

void TImagePeer::CreateNativeWindow(HWND parent) {
  MakeWindow(TWin32Backend::kImageClass, ChildStyle(*Control()), 0, parent, "");
}

void TImagePeer::Paint(HDC dc, const RECT& client) {
  const TImage& image = Image();
  const TBitmap& picture = image.Picture();
  RECT destination{0, 0, picture.Width(), picture.Height()};
  if (image.Stretch()) {
    destination = client;
  } else if (image.Center()) {
    OffsetRect(&destination, (client.right - picture.Width()) / 2, (client.bottom - picture.Height()) / 2);
  }
  const int saved = SaveDC(dc);
  ExcludeClipRect(dc, destination.left, destination.top, destination.right, destination.bottom);
  FillSolid(dc, client, Background());
  RestoreDC(dc, saved);
  DrawPlainBitmap(dc, picture, destination, image.Palette());
}

LRESULT TImagePeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
      clicked_ = true;
      SetCapture(Window());
      return 0;
    case WM_LBUTTONUP: {
      // Releasing the capture clears clicked_ (WM_CAPTURECHANGED): read it first.
      const bool clicked = clicked_;
      clicked_ = false;
      if (GetCapture() == Window()) ReleaseCapture();
      if (clicked && InsideClient(Window(), lParam)) Image().Click();
      return 0;
    }
    case WM_CAPTURECHANGED:
      clicked_ = false;
      return 0;
    default:
      return TWin32Peer::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace quill
