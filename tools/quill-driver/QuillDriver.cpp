// QuillDriver [--timeout-ms N] CONTROL...
//
// Waits for Quill's main window, lets it finish what it was doing (a picture
// given on its command line is loaded by then), clicks each named control in
// turn (the layout names: "TestDitherButton" is "Preview") and returns once
// the window has handled the clicks. Exit status 0 on success, 1 when the
// window or a control is not there, 2 on a usage error.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "quill/platform/win32/Win32ControlNames.h"

namespace {

constexpr char kFormClass[] = "QuillForm";
constexpr unsigned kPollMs = 100;

// True once the window's thread has handled every message sent or posted to
// it before this one: a message sent across threads is handled only when the
// receiver next looks at its queue, after what it was busy with.
bool WaitUntilIdle(HWND window, unsigned timeoutMs) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &ignored) != 0;
}

HWND WaitForForm(unsigned timeoutMs) {
  for (unsigned waited = 0; waited <= timeoutMs; waited += kPollMs) {
    HWND form = FindWindowA(kFormClass, nullptr);
    if (form && IsWindowVisible(form)) return form;
    Sleep(kPollMs);
  }
  return nullptr;
}

void Click(HWND control) {
  RECT client{};
  GetClientRect(control, &client);
  const LPARAM middle = MAKELPARAM(client.right / 2, client.bottom / 2);
  PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, middle);
  PostMessageA(control, WM_LBUTTONUP, 0, middle);
}

int Usage() {
  std::fprintf(stderr, "usage: QuillDriver [--timeout-ms N] CONTROL...\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  unsigned timeoutMs = 30000;
  std::vector<std::string> controls;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--timeout-ms" && i + 1 < argc) timeoutMs = std::strtoul(argv[++i], nullptr, 10);
    else if (!argument.empty() && argument[0] == '-') return Usage();
    else controls.push_back(argument);
  }
  if (controls.empty()) return Usage();

  HWND form = WaitForForm(timeoutMs);
  if (!form || !WaitUntilIdle(form, timeoutMs)) {
    std::fprintf(stderr, "QuillDriver: Quill's window did not appear\n");
    return 1;
  }
  for (const std::string& name : controls) {
    HWND control = quill::FindControlWindow(form, name);
    if (!control) {
      std::fprintf(stderr, "QuillDriver: no control named %s\n", name.c_str());
      return 1;
    }
    Click(control);
    if (!WaitUntilIdle(form, timeoutMs)) {
      std::fprintf(stderr, "QuillDriver: Quill did not finish the click on %s\n", name.c_str());
      return 1;
    }
  }
  return 0;
}
