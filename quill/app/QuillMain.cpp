// Quill's program entry: the real platform services, the main window (whose
// construction runs its start-up handler), the windows that show it, and the
// message loop until "EXIT" or the close box ends it. The main window's
// destruction then runs its shut-down handler.
#include <windows.h>

#include <exception>
#include <memory>

#include "quill/platform/win32/Win32Backend.h"
#include "quill/platform/win32/Win32Clipboard.h"
#include "quill/platform/win32/Win32Desktop.h"
#include "quill/platform/win32/Win32DropFiles.h"
#include "quill/platform/win32/Win32FileDialog.h"
#include "quill/platform/win32/Win32MessageBox.h"
#include "quill/platform/win32/Win32Shell.h"
#include "quill/shell/Form1.h"

namespace {

// Dialogs and message boxes are modal to the main window while it exists.
void SetDialogOwner(quill::TWin32MessageBox& messages, quill::TWin32FileDialog& fileDialog, quill::TWin32Shell& shell,
                    HWND owner) {
  const auto handle = reinterpret_cast<quill::TWindowHandle>(owner);
  messages.SetOwner(handle);
  fileDialog.SetOwner(handle);
  shell.SetOwner(handle);
}

int RunQuill() {
  quill::TWin32Clipboard clipboard;
  quill::TWin32Desktop desktop;
  quill::TWin32FileDialog fileDialog;
  quill::TWin32MessageBox messages;
  quill::TWin32Shell shell;
  const quill::TServices services{clipboard, desktop, fileDialog, messages, shell};

  quill::TForm1 form(services);
  int exitCode = 0;
  {
    quill::TWin32Backend backend(form, quill::kApplicationTitle);
    SetDialogOwner(messages, fileDialog, shell, backend.FormWindow());
    // "Quill.exe PICTURE" ("Open with", a file dropped on the program's
    // icon): the picture arrives as a drop does, once the loop has shown the
    // window.
    const auto arguments = quill::CommandLineArguments();
    if (!arguments.empty()) {
      if (HDROP drop = quill::MakeDropHandle(arguments))
        if (!PostMessageA(backend.FormWindow(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0)) GlobalFree(drop);
    }
    exitCode = backend.Run();
    SetDialogOwner(messages, fileDialog, shell, nullptr);
  }
  return exitCode;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Event failures are reported by the main window itself; this catches only
  // what happens outside any event, such as a failure to make the window.
  try {
    return RunQuill();
  } catch (const std::exception& e) {
    MessageBoxA(nullptr, e.what(), quill::kApplicationTitle, MB_OK | MB_ICONERROR);
  }
  return 1;
}
