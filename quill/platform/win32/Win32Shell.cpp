#include "quill/platform/win32/Win32Shell.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <shellapi.h>

namespace quill {

void TWin32Shell::OpenUrl(const std::string& url) {
  // The default verb with no parameters and no folder; a failure (no browser,
  // say) is the shell's to report, not the program's.
  ShellExecuteA(reinterpret_cast<HWND>(owner_), nullptr, url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace quill
