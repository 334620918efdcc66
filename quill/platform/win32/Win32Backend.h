#pragma once
// Shows a form's control tree as real windows and runs the message loop.
//
// The backend makes one peer per control (parents before children), each of
// which creates its native window and becomes the control's peer, plus one
// peer per timer running a system timer on the form's window. The models stay
// the source of truth: input goes to the models, and the models tell their
// peers what to show. Destroying the backend detaches every peer and
// destroys the windows; the form and its controls live on.
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "quill/platform/win32/Win32Handles.h"
#include "quill/platform/win32/Win32Hints.h"
#include "quill/ui/Form.h"
#include "quill/ui/MessagePump.h"

namespace quill {

class TWin32Peer;
class TWin32TimerPeer;

class TWin32Backend {
 public:
  // Window class names, one per kind of backend-drawn window.
  static constexpr const char* kFormClass = "QuillForm";
  static constexpr const char* kApplicationClass = "QuillApplication";
  static constexpr const char* kPanelClass = "QuillPanel";
  static constexpr const char* kSpeedButtonClass = "QuillSpeedButton";
  static constexpr const char* kGaugeBarClass = "QuillGaugeBar";
  static constexpr const char* kRadioGroupClass = "QuillRadioGroup";
  static constexpr const char* kTextClass = "QuillText";
  static constexpr const char* kImageClass = "QuillImage";

  // Creates the windows of form's tree (hidden until Run). applicationTitle
  // names the program in the task bar.
  TWin32Backend(TForm& form, const std::string& applicationTitle);
  ~TWin32Backend();
  TWin32Backend(const TWin32Backend&) = delete;
  TWin32Backend& operator=(const TWin32Backend&) = delete;

  // Shows the form and dispatches messages until the form closes. Returns the
  // exit code of the quit message.
  int Run();
  bool Running() const { return running_; }

  HWND FormWindow() const;
  HWND ApplicationWindow() const { return applicationWindow_.Get(); }
  HINSTANCE Instance() const { return instance_; }

  // Shared GDI objects, made on first use and kept for the backend's life.
  HFONT Font(const TFont& font);
  HBRUSH Brush(TColor32 colour);

  // The tooltips that show the controls' hints.
  TWin32Hints& Hints() { return hints_; }

  // The peer that answers for a window (system-class windows included).
  void Register(HWND window, TWin32Peer& peer);
  void Unregister(HWND window);
  // Forgets every window that answers to peer.
  void UnregisterPeer(const TWin32Peer& peer);
  TWin32Peer* PeerOf(HWND window) const;

  // A WM_TIMER of the form's window.
  void TimerFired(UINT_PTR id);
  // The form's window is being destroyed by the system: every peer drops its
  // window handle now, while the windows still exist.
  void WindowTreeDestroyed();

 private:
  void RegisterWindowClasses();
  void CreateApplicationWindow(const std::string& title);
  void CreatePeers(TControl& control, HWND parentWindow);
  std::unique_ptr<TWin32Peer> MakePeer(TControl& control);

  TForm& form_;
  HINSTANCE instance_;
  bool running_ = false;
  TOwnedWindow applicationWindow_;
  TWin32Hints hints_;
  std::vector<std::unique_ptr<TWin32Peer>> peers_;  // parents before children
  std::vector<std::unique_ptr<TWin32TimerPeer>> timers_;
  std::unordered_map<HWND, TWin32Peer*> windows_;
  std::map<std::tuple<std::string, int, bool>, TFontHandle> fonts_;
  std::map<TColor32, TBrush> brushes_;
  // Long handlers (the importer's rescale) let the windows repaint and the
  // timer tick through this while the backend exists.
  TMessagePumpScope pump_;
};

}  // namespace quill
