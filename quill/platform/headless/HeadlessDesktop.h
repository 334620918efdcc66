#pragma once
// An in-memory desktop: a list of fake top-level windows in enumeration order,
// a foreground window, and a journal of everything the program asked for
// (foreground requests, pauses, key events). Pauses return at once.
#include <string>
#include <vector>

#include "quill/platform/Desktop.h"

namespace quill {

class THeadlessDesktop : public IDesktop {
 public:
  struct TFakeWindow {
    TWindowHandle Handle = 0;
    std::string Title;
    std::string ClassName;
  };

  // Adds a window behind the existing ones (enumeration order is the order of
  // adding) and returns its handle; handles are never 0 and never reused.
  TWindowHandle AddWindow(std::string title, std::string className = "");
  void RemoveWindow(TWindowHandle window);
  const std::vector<TFakeWindow>& Windows() const { return windows_; }

  // When set, SetForegroundWindow refuses (returns false, foreground unchanged).
  void SetForegroundRefused(bool refused) { foregroundRefused_ = refused; }
  TWindowHandle ForegroundWindow() const { return foreground_; }

  // Where CursorPos says the cursor is; (0, 0) until set.
  void SetCursorPos(TScreenPoint position) { cursor_ = position; }

  // Every key event, in order.
  const std::vector<TKeyEvent>& KeyLog() const { return keyLog_; }
  // Every foreground request, pause and key event, in order, as text:
  // "foreground <handle>", "sleep <ms>", "key down|up <vk hex> <scan hex>"
  // (for example "key down 11 1D").
  const std::vector<std::string>& Journal() const { return journal_; }
  // Windows whose title was read since the last ClearLogs (to see where an
  // enumeration stopped).
  int TitleReads() const { return titleReads_; }
  int ClassNameReads() const { return classNameReads_; }
  void ClearLogs();

  void EnumTopLevelWindows(const std::function<bool(TWindowHandle)>& visit) override;
  int GetWindowTitle(TWindowHandle window, char* buffer, int bufferSize) override;
  int GetWindowClassName(TWindowHandle window, char* buffer, int bufferSize) override;
  bool SetForegroundWindow(TWindowHandle window) override;
  // The scan codes of a US keyboard for letters, digits and the common
  // control keys; 0 for every other key.
  unsigned VirtualKeyToScanCode(unsigned virtualKey) override;
  void SendKeyEvent(const TKeyEvent& event) override;
  void Sleep(unsigned milliseconds) override;
  TScreenPoint CursorPos() override { return cursor_; }

 private:
  const TFakeWindow* Find(TWindowHandle window) const;

  std::vector<TFakeWindow> windows_;
  TWindowHandle nextHandle_ = 0x10010;
  TWindowHandle foreground_ = 0;
  bool foregroundRefused_ = false;
  std::vector<TKeyEvent> keyLog_;
  std::vector<std::string> journal_;
  int titleReads_ = 0;
  int classNameReads_ = 0;
  TScreenPoint cursor_;
};

}  // namespace quill
