#include "quill/platform/win32/Win32ControlNames.h"

namespace quill {
namespace {

// Atom names are limited to 255 characters; layout names are far shorter.
constexpr int kAtomNameBuffer = 256;

struct TNameSearch {
  std::string Name;
  HWND Found = nullptr;
};

BOOL CALLBACK VisitChild(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<TNameSearch*>(parameter);
  if (GetControlName(window) == search->Name) {
    search->Found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

void SetControlName(HWND window, const std::string& name) {
  ClearControlName(window);
  const ATOM atom = GlobalAddAtomA(name.c_str());
  if (atom != 0) SetPropA(window, kControlNameProperty, reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(atom)));
}

void ClearControlName(HWND window) {
  const auto atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(RemovePropA(window, kControlNameProperty)));
  if (atom != 0) GlobalDeleteAtom(atom);
}

std::string GetControlName(HWND window) {
  const auto atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(GetPropA(window, kControlNameProperty)));
  if (atom == 0) return std::string();
  char buffer[kAtomNameBuffer] = {};
  const UINT length = GlobalGetAtomNameA(atom, buffer, kAtomNameBuffer);
  return std::string(buffer, length);
}

HWND FindControlWindow(HWND root, const std::string& name) {
  TNameSearch search{name, nullptr};
  // EnumChildWindows walks all descendants, not only direct children.
  EnumChildWindows(root, VisitChild, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

}  // namespace quill
