#include "quill/platform/win32/Win32Desktop.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <exception>

namespace quill {

namespace {

HWND ToHwnd(TWindowHandle window) { return reinterpret_cast<HWND>(window); }

// What the enumeration callback carries. A visitor's exception must not unwind
// through the system's frames, so it is parked here and rethrown afterwards.
struct TEnumeration {
  const std::function<bool(TWindowHandle)>* Visit = nullptr;
  std::exception_ptr Failure;
};

BOOL CALLBACK VisitTopLevelWindow(HWND window, LPARAM parameter) {
  auto& enumeration = *reinterpret_cast<TEnumeration*>(parameter);
  try {
    return (*enumeration.Visit)(reinterpret_cast<TWindowHandle>(window)) ? TRUE : FALSE;
  } catch (...) {
    enumeration.Failure = std::current_exception();
    return FALSE;
  }
}

// The system writes nothing when the buffer has no room at all.
bool UsableBuffer(char* buffer, int bufferSize) { return buffer != nullptr && bufferSize >= 1; }

}  // namespace

void TWin32Desktop::EnumTopLevelWindows(const std::function<bool(TWindowHandle)>& visit) {
  TEnumeration enumeration;
  enumeration.Visit = &visit;
  // EnumWindows reports failure also when the callback stops it early, so its
  // result says nothing the program can act on.
  ::EnumWindows(VisitTopLevelWindow, reinterpret_cast<LPARAM>(&enumeration));
  if (enumeration.Failure) std::rethrow_exception(enumeration.Failure);
}

int TWin32Desktop::GetWindowTitle(TWindowHandle window, char* buffer, int bufferSize) {
  if (!UsableBuffer(buffer, bufferSize)) return 0;
  buffer[0] = '\0';
  return ::GetWindowTextA(ToHwnd(window), buffer, bufferSize);
}

int TWin32Desktop::GetWindowClassName(TWindowHandle window, char* buffer, int bufferSize) {
  if (!UsableBuffer(buffer, bufferSize)) return 0;
  buffer[0] = '\0';
  return ::GetClassNameA(ToHwnd(window), buffer, bufferSize);
}

bool TWin32Desktop::SetForegroundWindow(TWindowHandle window) { return ::SetForegroundWindow(ToHwnd(window)) != FALSE; }

unsigned TWin32Desktop::VirtualKeyToScanCode(unsigned virtualKey) {
  constexpr UINT kVirtualKeyToScanCode = 0;  // MAPVK_VK_TO_VSC
  return ::MapVirtualKeyA(virtualKey, kVirtualKeyToScanCode);
}

void TWin32Desktop::SendKeyEvent(const TKeyEvent& event) {
  ::keybd_event(event.VirtualKey, event.ScanCode, event.KeyUp ? KEYEVENTF_KEYUP : 0, 0);
}

void TWin32Desktop::Sleep(unsigned milliseconds) { ::Sleep(milliseconds); }

TScreenPoint TWin32Desktop::CursorPos() {
  POINT point{0, 0};
  ::GetCursorPos(&point);
  return {int(point.x), int(point.y)};
}

}  // namespace quill
