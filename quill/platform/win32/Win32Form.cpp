#include "quill/platform/win32/Win32Form.h"

#include <shellapi.h>

#include "quill/platform/win32/Win32Backend.h"
#include "quill/platform/win32/Win32ControlNames.h"
#include "quill/platform/win32/Win32DropFiles.h"

namespace quill {

TWin32FormPeer::TWin32FormPeer(TWin32Backend& backend, TForm& form) : TWin32Peer(backend, form) {}

TWin32FormPeer::~TWin32FormPeer() {
  // Detach first, so the destruction's messages find no peer.
  HWND window = Window();
  ForgetWindow();
  if (window) ownedWindow_.Reset();
  else ownedWindow_.Forget();
}

DWORD TWin32FormPeer::Style() const {
  switch (Form().BorderStyle()) {
    case bsToolWindow:
    case bsSingle:
      return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN |
             (Form().BorderStyle() == bsSingle ? WS_MINIMIZEBOX : 0);
    case bsSizeable:
    default:
      return WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  }
}

DWORD TWin32FormPeer::ExStyle() const { return Form().BorderStyle() == bsToolWindow ? WS_EX_TOOLWINDOW : 0; }

RECT TWin32FormPeer::OuterRect() const {
  const TForm& form = Form();
  RECT rect{0, 0, form.Width(), form.Height()};
  AdjustWindowRectEx(&rect, Style(), FALSE, ExStyle());
  // The form's left and top are those of the whole window.
  return RECT{form.Left(), form.Top(), form.Left() + rect.right - rect.left, form.Top() + rect.bottom - rect.top};
}

void TWin32FormPeer::CreateNativeWindow(HWND owner) {
  const RECT outer = OuterRect();
  HWND window = CreateWindowExA(ExStyle(), TWin32Backend::kFormClass, Form().Caption().c_str(), Style(), outer.left,
                                outer.top, outer.right - outer.left, outer.bottom - outer.top, owner, nullptr,
                                Backend().Instance(), static_cast<TWin32Peer*>(this));
  ownedWindow_.Reset(window);
  if (!window) return;
  Backend().Register(window, *this);
  SetControlName(window, Form().Name());
  DragAcceptFiles(window, TRUE);
}

void TWin32FormPeer::BoundsChanged() {
  if (!Window()) return;
  const RECT outer = OuterRect();
  SetWindowPos(Window(), nullptr, outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWin32FormPeer::StateChanged() {
  if (!Window() || !Control()) return;
  SetWindowLongA(Window(), GWL_STYLE, LONG(Style() | (IsWindowVisible(Window()) ? WS_VISIBLE : 0)));
  SetWindowLongA(Window(), GWL_EXSTYLE, LONG(ExStyle()));
  BoundsChanged();
  EnableWindow(Window(), Control()->Enabled());
  InvalidateRect(Window(), nullptr, FALSE);
}

void TWin32FormPeer::CloseRequested() {
  // Handlers may still be running on this window's stack: hide now, and let
  // the backend destroy the windows once the loop has ended.
  if (closing_) return;
  closing_ = true;
  if (Window()) ShowWindow(Window(), SW_HIDE);
  if (Backend().Running()) PostQuitMessage(0);
}

LRESULT TWin32FormPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      // The caption's close box closes the form like the program does.
      if (Control()) Form().Close();
      return 0;
    case WM_TIMER:
      Backend().TimerFired(wParam);
      return 0;
    case WM_DROPFILES: {
      const auto drop = reinterpret_cast<HDROP>(wParam);
      const std::vector<std::string> paths = DroppedFiles(drop);
      DragFinish(drop);
      if (Control()) Form().DropFiles(paths);
      return 0;
    }
    case WM_DESTROY:
      Backend().WindowTreeDestroyed();
      if (!closing_ && Backend().Running()) {
        closing_ = true;
        PostQuitMessage(0);
      }
      return 0;
    default:
      return TWin32Peer::HandleMessage(message, wParam, lParam);
  }
}

TWin32TimerPeer::TWin32TimerPeer(TTimer& timer, HWND window, UINT_PTR id) : timer_(&timer), window_(window), id_(id) {
  timer.SetPeer(this);
  TimerChanged();
}

TWin32TimerPeer::~TWin32TimerPeer() {
  if (timer_) timer_->SetPeer(nullptr);
  if (running_ && window_) KillTimer(window_, id_);
}

void TWin32TimerPeer::TimerChanged() {
  if (!window_) return;
  if (running_) KillTimer(window_, id_);
  running_ = false;
  if (timer_ && timer_->Enabled() && timer_->Interval() > 0)
    running_ = SetTimer(window_, id_, timer_->Interval(), nullptr) != 0;
}

void TWin32TimerPeer::TimerDestroyed() {
  if (running_ && window_) KillTimer(window_, id_);
  running_ = false;
  timer_ = nullptr;
}

}  // namespace quill
