#pragma once
// The controls' hints as tooltips: one tooltip window for the whole form,
// with one tool per control window that has a hint. The tooltip watches the
// mouse over each tool by itself (it subclasses the tool windows), so the
// controls' window procedures need not forward anything.
#include <windows.h>

#include <string>

#include "quill/platform/win32/Win32Handles.h"

namespace quill {

class TWin32Hints {
 public:
  TWin32Hints() = default;
  TWin32Hints(const TWin32Hints&) = delete;
  TWin32Hints& operator=(const TWin32Hints&) = delete;

  // Makes the tooltip window, owned by owner; without it the other calls do
  // nothing (hints are a convenience, never a reason to fail).
  void Create(HWND owner);
  // Shows hint over window from now on; an empty hint removes the tool.
  void SetHint(HWND window, const std::string& hint);
  void Remove(HWND window);
  HWND Window() const { return tooltip_.Get(); }

 private:
  TOwnedWindow tooltip_;
};

}  // namespace quill
