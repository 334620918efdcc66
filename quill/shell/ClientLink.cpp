#include "quill/shell/ClientLink.h"

namespace quill {

namespace {

// What the enumeration callback works on for one search.
struct TWindowSearch {
  std::string TitlePart;
  std::string ClassPart;
  std::optional<TWindowHandle> FoundWindow;
};

// The text the system put in the buffer: the count it reports, bounded by
// what the buffer can hold.
std::string BufferText(const char* buffer, int count) {
  if (count <= 0) return std::string();
  if (count > kWindowTextBufferSize - 1) count = kWindowTextBufferSize - 1;
  return std::string(buffer, std::size_t(count));
}

bool TextMatches(const std::string& text, const std::string& part) {
  return !text.empty() && text.find(part) != std::string::npos;
}

// Returns true to go on with the next window.
bool VisitWindow(IDesktop& desktop, TWindowHandle window, TWindowSearch& search) {
  char buffer[kWindowTextBufferSize] = {};
  const int titleLength = desktop.GetWindowTitle(window, buffer, kWindowTextBufferSize);
  const bool titleMatches = TextMatches(BufferText(buffer, titleLength), search.TitlePart);

  bool classMatches = true;
  if (!search.ClassPart.empty()) {
    const int classLength = desktop.GetWindowClassName(window, buffer, kWindowTextBufferSize);
    classMatches = TextMatches(BufferText(buffer, classLength), search.ClassPart);
  }

  if (titleMatches && classMatches) {
    search.FoundWindow = window;
    return false;
  }
  return true;
}

void SendKey(IDesktop& desktop, std::uint8_t virtualKey, bool keyUp) {
  TKeyEvent event;
  event.VirtualKey = virtualKey;
  // keybd_event carries the scan code in one byte.
  event.ScanCode = std::uint8_t(desktop.VirtualKeyToScanCode(virtualKey));
  event.KeyUp = keyUp;
  desktop.SendKeyEvent(event);
}

void SendControlChord(IDesktop& desktop, std::uint8_t letter) {
  SendKey(desktop, kVkControl, false);
  SendKey(desktop, letter, false);
  SendKey(desktop, letter, true);
  SendKey(desktop, kVkControl, true);
}

}  // namespace

std::optional<TWindowHandle> FindClientWindow(IDesktop& desktop, const std::string& titlePart,
                                              const std::string& classPart) {
  TWindowSearch search{titlePart, classPart, std::nullopt};
  desktop.EnumTopLevelWindows([&](TWindowHandle window) { return VisitWindow(desktop, window, search); });
  return search.FoundWindow;
}

bool LoungeFound(IDesktop& desktop) { return FindClientWindow(desktop, kClientTitlePart, "").has_value(); }

void ShowLoungeForm(IDesktop& desktop) {
  // A refusal (another program holding the foreground) is not reported: the
  // keystrokes then go to whatever has the focus.
  if (const auto window = FindClientWindow(desktop, kClientTitlePart, "")) desktop.SetForegroundWindow(*window);
}

void SendPropShortcuts(IDesktop& desktop) {
  constexpr std::uint8_t kTakeClipboardAsProps = kVkQ;
  constexpr std::uint8_t kShowProps = kVkP;
  desktop.Sleep(kShortcutDelayMs);
  SendControlChord(desktop, kTakeClipboardAsProps);
  SendControlChord(desktop, kShowProps);
}

}  // namespace quill
