#pragma once
// The native side of one control: a peer that owns nothing but knows its
// control and its window, keeps the window in step with the model's state
// (bounds, texts, enabled, visible) and turns the window's messages into the
// model's input calls. Subclasses per control kind paint and interpret input.
//
// Windows of the backend's own classes route every message to their peer's
// HandleMessage. Windows of system classes (buttons, scroll bars) report to
// their parent; the parent's peer hands those notifications back to the
// child's peer through HandleReflected, so each kind's code stays in one place.
#include <windows.h>

#include <optional>
#include <string>

#include "quill/ui/Control.h"
#include "quill/ui/ControlPeer.h"

namespace quill {

class TWin32Backend;

class TWin32Peer : public IControlPeer {
 public:
  TWin32Peer(TWin32Backend& backend, TControl& control);
  ~TWin32Peer() override;
  TWin32Peer(const TWin32Peer&) = delete;
  TWin32Peer& operator=(const TWin32Peer&) = delete;

  // nullptr once the control is gone.
  TControl* Control() const { return control_; }
  HWND Window() const { return window_; }

  // Makes the native window inside parent (the form's peer makes a top-level
  // window and ignores parent).
  virtual void CreateNativeWindow(HWND parent) = 0;
  // The window is going away (the tree is being destroyed); drop the handle.
  void ForgetWindow();

  void BoundsChanged() override;
  void TextChanged() override;
  void StateChanged() override;
  void Invalidate() override;
  void ControlDestroyed() override;
  std::optional<TPoint> ScreenToClient(const TPoint& screen) const override;
  std::optional<TPoint> ClientToScreen(const TPoint& client) const override;

  // Messages of the backend's own window classes.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // A notification that this peer's system-class window sent to its parent.
  // Returns true when handled, with the answer in result.
  virtual bool HandleReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  // The window procedure of every backend class.
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  TWin32Backend& Backend() const { return backend_; }

  // Creates a window of className at the control's bounds. Windows of the
  // backend's classes get this peer from creation on; system-class windows
  // are registered with the backend as soon as they exist.
  HWND MakeWindow(const char* className, DWORD style, DWORD exStyle, HWND parent, const std::string& text, int id = 0);

  // Paints the client area of a backend-class window.
  virtual void Paint(HDC dc, const RECT& client);
  // The colour behind the control's content: its own colour.
  virtual TColor32 Background() const;
  // The colour of the nearest ancestor that paints a background.
  TColor32 ParentBackground() const;

  void ApplyBounds();
  void ApplyEnabledAndVisible();

 private:
  TWin32Backend& backend_;
  TControl* control_;
  HWND window_ = nullptr;
};

// Modifier and button state of a mouse message in the model's terms.
TShiftState ShiftStateFromMouse(WPARAM keys);
// The modifier keys held now, for a key message.
TShiftState ShiftStateFromKeyboard();

}  // namespace quill
