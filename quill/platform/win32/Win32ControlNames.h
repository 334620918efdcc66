#pragma once
// Every native window the backend makes for a control carries the control's
// layout name ("SpeedButton4", "AVEditor") as a window property, so that a
// program outside Quill (the integration tests, an accessibility tool) can
// find a control without knowing how the backend builds its windows. The
// property's value is a global atom of the name, readable from any process.
#include <windows.h>

#include <string>

namespace quill {

constexpr char kControlNameProperty[] = "QuillControlName";

// Tags the window with name; the atom is freed by ClearControlName.
void SetControlName(HWND window, const std::string& name);
void ClearControlName(HWND window);
// The name the window carries, empty when it has none.
std::string GetControlName(HWND window);
// The first descendant of root (depth first) that carries name, or nullptr.
HWND FindControlWindow(HWND root, const std::string& name);

}  // namespace quill
