#include "quill/platform/win32/Win32MessageBox.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace quill {

namespace {

UINT IconOf(TMessageStyle style) {
  switch (style) {
    case msConfirmation:
      return MB_ICONQUESTION;
    case msInformation:
      return MB_ICONINFORMATION;
    case msError:
    default:
      return MB_ICONERROR;
  }
}

}  // namespace

void TWin32MessageBox::Show(const std::string& text, const std::string& caption, TMessageStyle style) {
  MessageBoxA(reinterpret_cast<HWND>(owner_), text.c_str(), caption.c_str(), MB_OK | IconOf(style));
}

}  // namespace quill
