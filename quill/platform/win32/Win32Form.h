#pragma once
// The form's window (a top-level window whose client area is the form's
// width and height, placed at the form's left and top) and the system timers
// that drive the form's TTimer components.
#include <windows.h>

#include "quill/platform/win32/Win32Handles.h"
#include "quill/platform/win32/Win32Window.h"
#include "quill/ui/Form.h"

namespace quill {

class TWin32FormPeer : public TWin32Peer {
 public:
  TWin32FormPeer(TWin32Backend& backend, TForm& form);
  ~TWin32FormPeer() override;

  // The form's window is owned by the application window (parent here), so
  // that the task bar shows the application's title.
  void CreateNativeWindow(HWND parent) override;
  void BoundsChanged() override;
  void StateChanged() override;
  void CloseRequested() override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  TForm& Form() const { return static_cast<TForm&>(*Control()); }
  DWORD Style() const;
  DWORD ExStyle() const;
  // The outer window rectangle whose client area is the form's size.
  RECT OuterRect() const;

  TOwnedWindow ownedWindow_;
  bool closing_ = false;
};

class TWin32TimerPeer : public ITimerPeer {
 public:
  TWin32TimerPeer(TTimer& timer, HWND window, UINT_PTR id);
  ~TWin32TimerPeer() override;
  TWin32TimerPeer(const TWin32TimerPeer&) = delete;
  TWin32TimerPeer& operator=(const TWin32TimerPeer&) = delete;

  UINT_PTR Id() const { return id_; }
  TTimer* Timer() const { return timer_; }
  // Starts or stops the system timer from the model's Enabled and Interval.
  void TimerChanged() override;
  void TimerDestroyed() override;
  // The window is gone: its timers went with it.
  void ForgetWindow() { window_ = nullptr; }

 private:
  TTimer* timer_;
  HWND window_;
  UINT_PTR id_;
  bool running_ = false;
};

}  // namespace quill
