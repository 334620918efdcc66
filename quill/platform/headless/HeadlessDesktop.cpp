#include "quill/platform/headless/HeadlessDesktop.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace quill {

namespace {

// Copies text the way the system fills a caller's buffer: at most
// bufferSize - 1 characters, always zero-terminated, count returned.
int CopyToBuffer(const std::string& text, char* buffer, int bufferSize) {
  if (buffer == nullptr || bufferSize < 1) return 0;
  const std::size_t room = std::size_t(bufferSize) - 1;
  const std::size_t n = std::min(text.size(), room);
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return int(n);
}

std::string Hex(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "%02X", value);
  return text;
}

// Set-1 scan codes of a US keyboard, by virtual key.
unsigned UsScanCode(unsigned virtualKey) {
  static const char kLetterRows[] = "QWERTYUIOP\0\0\0\0ASDFGHJKL\0\0\0\0\0ZXCVBNM";
  constexpr unsigned kFirstLetterScanCode = 0x10;  // Q
  if (virtualKey >= 'A' && virtualKey <= 'Z') {
    for (unsigned i = 0; i < sizeof kLetterRows - 1; ++i)
      if (unsigned(kLetterRows[i]) == virtualKey) return kFirstLetterScanCode + i;
  }
  if (virtualKey >= '1' && virtualKey <= '9') return 0x02 + (virtualKey - '1');
  switch (virtualKey) {
    case '0':
      return 0x0B;
    case 0x08:
      return 0x0E;  // backspace
    case 0x09:
      return 0x0F;  // tab
    case 0x0D:
      return 0x1C;  // enter
    case 0x10:
      return 0x2A;  // shift
    case 0x11:
      return 0x1D;  // control
    case 0x12:
      return 0x38;  // alt
    case 0x1B:
      return 0x01;  // escape
    case 0x20:
      return 0x39;  // space
    default:
      return 0;
  }
}

}  // namespace

TWindowHandle THeadlessDesktop::AddWindow(std::string title, std::string className) {
  const TWindowHandle handle = nextHandle_;
  nextHandle_ += 0x10;
  windows_.push_back(TFakeWindow{handle, std::move(title), std::move(className)});
  return handle;
}

void THeadlessDesktop::RemoveWindow(TWindowHandle window) {
  windows_.erase(
      std::remove_if(windows_.begin(), windows_.end(), [&](const TFakeWindow& w) { return w.Handle == window; }),
      windows_.end());
  if (foreground_ == window) foreground_ = 0;
}

void THeadlessDesktop::ClearLogs() {
  keyLog_.clear();
  journal_.clear();
  titleReads_ = 0;
  classNameReads_ = 0;
}

const THeadlessDesktop::TFakeWindow* THeadlessDesktop::Find(TWindowHandle window) const {
  for (const auto& w : windows_)
    if (w.Handle == window) return &w;
  return nullptr;
}

void THeadlessDesktop::EnumTopLevelWindows(const std::function<bool(TWindowHandle)>& visit) {
  // A snapshot, so that a visitor that adds or removes windows cannot upset the walk.
  std::vector<TWindowHandle> handles;
  for (const auto& w : windows_) handles.push_back(w.Handle);
  for (TWindowHandle h : handles)
    if (!visit(h)) break;
}

int THeadlessDesktop::GetWindowTitle(TWindowHandle window, char* buffer, int bufferSize) {
  ++titleReads_;
  const TFakeWindow* w = Find(window);
  if (w == nullptr) return CopyToBuffer("", buffer, bufferSize);
  return CopyToBuffer(w->Title, buffer, bufferSize);
}

int THeadlessDesktop::GetWindowClassName(TWindowHandle window, char* buffer, int bufferSize) {
  ++classNameReads_;
  const TFakeWindow* w = Find(window);
  if (w == nullptr) return CopyToBuffer("", buffer, bufferSize);
  return CopyToBuffer(w->ClassName, buffer, bufferSize);
}

bool THeadlessDesktop::SetForegroundWindow(TWindowHandle window) {
  journal_.push_back("foreground " + std::to_string(window));
  if (foregroundRefused_ || Find(window) == nullptr) return false;
  foreground_ = window;
  return true;
}

unsigned THeadlessDesktop::VirtualKeyToScanCode(unsigned virtualKey) { return UsScanCode(virtualKey); }

void THeadlessDesktop::SendKeyEvent(const TKeyEvent& event) {
  keyLog_.push_back(event);
  journal_.push_back(std::string("key ") + (event.KeyUp ? "up " : "down ") + Hex(event.VirtualKey) + " " +
                     Hex(event.ScanCode));
}

void THeadlessDesktop::Sleep(unsigned milliseconds) { journal_.push_back("sleep " + std::to_string(milliseconds)); }

}  // namespace quill
