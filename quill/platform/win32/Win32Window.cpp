#include "quill/platform/win32/Win32Window.h"

#include <exception>

#include "quill/platform/win32/Win32Backend.h"
#include "quill/platform/win32/Win32ControlNames.h"
#include "quill/platform/win32/Win32Handles.h"
#include "quill/ui/EventDispatch.h"

namespace quill {
namespace {

// The child window a parent notification comes from, or nullptr.
HWND NotifyingChild(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLOREDIT:
      return reinterpret_cast<HWND>(lParam);
    case WM_DRAWITEM:
      return reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
    default:
      return nullptr;
  }
}

}  // namespace

TWin32Peer::TWin32Peer(TWin32Backend& backend, TControl& control) : backend_(backend), control_(&control) {
  control.SetPeer(this);
}

TWin32Peer::~TWin32Peer() {
  if (control_) control_->SetPeer(nullptr);
  ForgetWindow();
}

void TWin32Peer::ForgetWindow() {
  if (!window_) return;
  backend_.Hints().Remove(window_);
  ClearControlName(window_);
  SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
  backend_.UnregisterPeer(*this);
  window_ = nullptr;
}

HWND TWin32Peer::MakeWindow(const char* className, DWORD style, DWORD exStyle, HWND parent, const std::string& text,
                            int id) {
  const TControl& c = *control_;
  HWND window = CreateWindowExA(exStyle, className, text.c_str(), style, c.Left(), c.Top(), c.Width(), c.Height(),
                                parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), backend_.Instance(), this);
  if (!window) return nullptr;
  window_ = window;
  backend_.Register(window, *this);
  SetControlName(window, c.Name());
  backend_.Hints().SetHint(window, c.Hint());
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(backend_.Font(c.Font())), FALSE);
  // Later siblings lie above earlier ones, as in the layout.
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return window;
}

void TWin32Peer::ApplyBounds() {
  if (!window_ || !control_) return;
  SetWindowPos(window_, nullptr, control_->Left(), control_->Top(), control_->Width(), control_->Height(),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWin32Peer::ApplyEnabledAndVisible() {
  if (!window_ || !control_) return;
  EnableWindow(window_, control_->Enabled());
  ShowWindow(window_, control_->Visible() ? SW_SHOWNA : SW_HIDE);
}

void TWin32Peer::BoundsChanged() { ApplyBounds(); }

void TWin32Peer::TextChanged() {
  if (!window_ || !control_) return;
  SetWindowTextA(window_, control_->Caption().c_str());
  backend_.Hints().SetHint(window_, control_->Hint());
  SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(backend_.Font(control_->Font())), FALSE);
  Invalidate();
}

void TWin32Peer::StateChanged() {
  ApplyEnabledAndVisible();
  Invalidate();
}

void TWin32Peer::Invalidate() {
  if (window_) InvalidateRect(window_, nullptr, FALSE);
}

void TWin32Peer::ControlDestroyed() {
  control_ = nullptr;
  HWND window = window_;
  ForgetWindow();
  if (window) DestroyWindow(window);
}

std::optional<TPoint> TWin32Peer::ScreenToClient(const TPoint& screen) const {
  POINT point{screen.X, screen.Y};
  if (!window_ || !::ScreenToClient(window_, &point)) return std::nullopt;
  return TPoint{int(point.x), int(point.y)};
}

std::optional<TPoint> TWin32Peer::ClientToScreen(const TPoint& client) const {
  POINT point{client.X, client.Y};
  if (!window_ || !::ClientToScreen(window_, &point)) return std::nullopt;
  return TPoint{int(point.x), int(point.y)};
}

TColor32 TWin32Peer::Background() const { return control_ ? control_->Color() : clBlack; }

TColor32 TWin32Peer::ParentBackground() const {
  const TControl* parent = control_ ? control_->Parent() : nullptr;
  return parent ? parent->Color() : clBlack;
}

void TWin32Peer::Paint(HDC dc, const RECT& client) { FillRect(dc, &client, backend_.Brush(Background())); }

LRESULT TWin32Peer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (HWND child = NotifyingChild(message, wParam, lParam)) {
    if (TWin32Peer* childPeer = backend_.PeerOf(child)) {
      LRESULT result = 0;
      if (childPeer->HandleReflected(message, wParam, lParam, result)) return result;
    }
  }
  switch (message) {
    case WM_ERASEBKGND:
      // WM_PAINT covers the whole client area; erasing first only flickers.
      return 1;
    case WM_PAINT: {
      TPaintScope paint(window_);
      RECT client;
      GetClientRect(window_, &client);
      if (control_) Paint(paint.Dc(), client);
      return 0;
    }
    case WM_PRINTCLIENT: {
      // Painting into a caller's DC (print-outs, captures, tests).
      RECT client;
      GetClientRect(window_, &client);
      if (control_) Paint(reinterpret_cast<HDC>(wParam), client);
      return 0;
    }
    default:
      return DefWindowProcA(window_, message, wParam, lParam);
  }
}

bool TWin32Peer::HandleReflected(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

LRESULT CALLBACK TWin32Peer::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* peer = static_cast<TWin32Peer*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(peer));
    if (peer) peer->window_ = window;
  }
  auto* peer = reinterpret_cast<TWin32Peer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!peer || peer->window_ != window) return DefWindowProcA(window, message, wParam, lParam);
  // Model events catch their own failures; this guard keeps anything else
  // from unwinding through the system's frames.
  try {
    const LRESULT result = peer->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) peer->ForgetWindow();
    return result;
  } catch (const std::exception& e) {
    ReportError(e.what());
  } catch (...) {
    ReportError("Unexpected failure in the window procedure");
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

TShiftState ShiftStateFromMouse(WPARAM keys) {
  TShiftState shift = 0;
  if (keys & MK_SHIFT) shift |= ssShift;
  if (keys & MK_CONTROL) shift |= ssCtrl;
  if (keys & MK_LBUTTON) shift |= ssLeft;
  if (keys & MK_RBUTTON) shift |= ssRight;
  if (keys & MK_MBUTTON) shift |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}

TShiftState ShiftStateFromKeyboard() {
  TShiftState shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}

}  // namespace quill
