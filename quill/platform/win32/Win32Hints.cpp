#include "quill/platform/win32/Win32Hints.h"

#include <commctrl.h>

namespace quill {
namespace {

// Long hints wrap at this width instead of running across the screen.
constexpr int kMaxTipWidth = 400;

TOOLINFOA ToolFor(HWND window) {
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V1_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(window) ? GetParent(window) : window;
  tool.uId = reinterpret_cast<UINT_PTR>(window);
  return tool;
}

}  // namespace

void TWin32Hints::Create(HWND owner) {
  INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&init);
  tooltip_.Reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                 GetModuleHandleA(nullptr), nullptr));
  if (tooltip_.Get()) SendMessageA(tooltip_.Get(), TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
}

void TWin32Hints::SetHint(HWND window, const std::string& hint) {
  if (!tooltip_.Get() || !window) return;
  Remove(window);
  if (hint.empty()) return;
  TOOLINFOA tool = ToolFor(window);
  std::string text = hint;  // the tooltip copies the text
  tool.lpszText = text.data();
  SendMessageA(tooltip_.Get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void TWin32Hints::Remove(HWND window) {
  if (!tooltip_.Get() || !window) return;
  TOOLINFOA tool = ToolFor(window);
  SendMessageA(tooltip_.Get(), TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace quill
