#pragma once
// The desktop as the chat client link sees it: the top-level windows, the
// foreground, synthetic keyboard input and a blocking pause; and the mouse
// cursor's position, which the palette grid's click reads. The operations
// keep the system's own semantics (buffers, scan codes, key-up flag) so that the
// link's rules can be tested against an in-memory desktop.
//
// The names avoid the system's A/W macro names (GetWindowText, GetClassName,
// MapVirtualKey), so this header may be included before or after <windows.h>.
#include <cstdint>
#include <functional>

namespace quill {

// A top-level window's handle value; 0 is no window.
using TWindowHandle = std::uintptr_t;

// Virtual-key codes the program synthesises.
constexpr std::uint8_t kVkControl = 0x11;
constexpr std::uint8_t kVkP = 0x50;
constexpr std::uint8_t kVkQ = 0x51;

// One synthetic key event, as keybd_event takes it (extra information is always 0).
struct TKeyEvent {
  std::uint8_t VirtualKey = 0;
  std::uint8_t ScanCode = 0;
  bool KeyUp = false;
  friend bool operator==(const TKeyEvent& a, const TKeyEvent& b) {
    return a.VirtualKey == b.VirtualKey && a.ScanCode == b.ScanCode && a.KeyUp == b.KeyUp;
  }
  friend bool operator!=(const TKeyEvent& a, const TKeyEvent& b) { return !(a == b); }
};

// A position on the screen in pixels.
struct TScreenPoint {
  int X = 0, Y = 0;
};

class IDesktop {
 public:
  virtual ~IDesktop() = default;

  // Calls visit for every top-level window in the system's enumeration order
  // (front-most first) until visit returns false.
  virtual void EnumTopLevelWindows(const std::function<bool(TWindowHandle)>& visit) = 0;

  // Copies the window's title into buffer, at most bufferSize - 1 characters
  // followed by a zero byte, and returns the number of characters copied (0
  // when the window has no title, is gone, or bufferSize is below 1).
  virtual int GetWindowTitle(TWindowHandle window, char* buffer, int bufferSize) = 0;
  // The same for the window's class name.
  virtual int GetWindowClassName(TWindowHandle window, char* buffer, int bufferSize) = 0;

  // Asks the system to make the window the foreground window; false when refused.
  virtual bool SetForegroundWindow(TWindowHandle window) = 0;

  // The keyboard scan code of a virtual key (virtual key to scan code mapping);
  // 0 when the key has none.
  virtual unsigned VirtualKeyToScanCode(unsigned virtualKey) = 0;
  // Synthesises one key press or release into the system's keyboard input.
  virtual void SendKeyEvent(const TKeyEvent& event) = 0;

  // Where the mouse cursor is now, in screen pixels.
  virtual TScreenPoint CursorPos() = 0;

  // Blocks the calling thread for the given time; no messages are processed.
  virtual void Sleep(unsigned milliseconds) = 0;
};

}  // namespace quill
