#pragma once
// Window services of the plug-in: finding windows, sending and posting
// messages, and the hidden IPC window itself, which the core knows only as an
// opaque handle. No system header is needed; names avoid the system's A/W
// macros (FindWindow, SendMessage, PostMessage), so this header may be
// included before or after <windows.h>.
#include <cstdint>

#include "reelbridge/Rect.h"

namespace reelbridge {

// A window handle's value; 0 is no window.
using TWindowHandle = std::uintptr_t;
// A module instance handle's value (the client's executable, a DLL).
using TInstance = std::uintptr_t;

// The class of both IPC windows and the client's main window class.
constexpr const char* kEndpointClassName = "IPC_Wnd";
constexpr const char* kHostWindowClassName = "Lounge";
// The size-changed message, the only one event 5 acts on.
constexpr std::uint32_t kSizeMessage = 5;

class IWindowSystem {
 public:
  virtual ~IWindowSystem() = default;

  // The top-level window of the class with the title (any title when title is
  // null), or 0.
  virtual TWindowHandle FindTopLevelWindow(const char* className, const char* title) = 0;
  // True while the handle names an existing window.
  virtual bool IsLiveWindow(TWindowHandle window) = 0;
  // Sends synchronously (no time-out) and returns the receiver's answer.
  virtual std::intptr_t SendWindowMessage(TWindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                          std::intptr_t lParam) = 0;
  // Queues the message for the window's thread; false when refused.
  virtual bool PostWindowMessage(TWindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                 std::intptr_t lParam) = 0;
  // The window's client rectangle; false (rect unchanged) when the window is gone.
  virtual bool GetClientRectangle(TWindowHandle window, TRect& rect) = 0;

  // Registers the window class "IPC_Wnd" for the instance: styles
  // CS_VREDRAW | CS_HREDRAW | CS_GLOBALCLASS (0x4003), the IPC window
  // procedure of the program, no extra bytes, no icon, cursor or menu,
  // background COLOR_WINDOW + 1. False when the system refuses.
  virtual bool RegisterEndpointClass(TInstance instance) = 0;
  virtual void UnregisterEndpointClass(TInstance instance) = 0;
  // Creates the hidden IPC window: class "IPC_Wnd", the title, extended style
  // 0, WS_OVERLAPPEDWINDOW without WS_VISIBLE, default position and size, no
  // parent, menu or creation data. 0 on failure.
  virtual TWindowHandle CreateEndpointWindow(TInstance instance, const char* title) = 0;
  virtual void DestroyEndpointWindow(TWindowHandle window) = 0;
};

}  // namespace reelbridge
