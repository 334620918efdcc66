#pragma once
// Files handed to the main window: the shell's drop handle (WM_DROPFILES)
// read into paths, and the same kind of handle made from the command line's
// arguments, so that "Open with" takes the very path a drop takes.
#include <windows.h>

#include <string>
#include <vector>

namespace quill {

// The dropped files' paths in the program's (ANSI) code page. The handle stays
// the caller's.
std::vector<std::string> DroppedFiles(HDROP drop);

// A drop handle listing paths, as the shell makes one: a movable global block
// that the receiver of WM_DROPFILES frees with DragFinish. Null when the
// list is empty or memory is short.
HDROP MakeDropHandle(const std::vector<std::wstring>& paths);

// The program's command-line arguments after its own name.
std::vector<std::wstring> CommandLineArguments();

}  // namespace quill
