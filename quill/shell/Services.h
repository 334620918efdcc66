#pragma once
// The platform services the main window uses, handed to it at construction.
// The Win32 program passes the real services; tests and the command-line tool
// pass the in-memory ones from quill/platform/headless.
#include "quill/platform/Clipboard.h"
#include "quill/platform/Desktop.h"
#include "quill/platform/FileDialog.h"
#include "quill/platform/MessageBox.h"
#include "quill/platform/Shell.h"

namespace quill {

struct TServices {
  IClipboard& Clipboard;
  IDesktop& Desktop;
  IFileDialog& FileDialog;
  // Not called MessageBox: <windows.h> defines that name as a macro.
  IMessageBox& Messages;
  IShell& Shell;
};

}  // namespace quill
