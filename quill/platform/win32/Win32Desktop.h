#pragma once
// The real desktop: top-level windows of every process, the foreground, the
// keyboard input queue and the thread's sleep.
#include "quill/platform/Desktop.h"

namespace quill {

class TWin32Desktop : public IDesktop {
 public:
  void EnumTopLevelWindows(const std::function<bool(TWindowHandle)>& visit) override;
  int GetWindowTitle(TWindowHandle window, char* buffer, int bufferSize) override;
  int GetWindowClassName(TWindowHandle window, char* buffer, int bufferSize) override;
  bool SetForegroundWindow(TWindowHandle window) override;
  unsigned VirtualKeyToScanCode(unsigned virtualKey) override;
  void SendKeyEvent(const TKeyEvent& event) override;
  void Sleep(unsigned milliseconds) override;
  TScreenPoint CursorPos() override;
};

}  // namespace quill
