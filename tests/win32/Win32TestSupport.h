#pragma once
// What the Wine integration tests share: paths handed over by the build,
// fresh work folders, child processes that never outlive a test, and waiting
// for windows and files with a deadline instead of fixed sleeps.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace quill::wintest {

// A path as the build wrote it, usable by Win32 calls: under Wine the build's
// "/work/x" is the drive mapping "Z:\work\x"; Windows paths pass unchanged.
std::string WindowsPath(const std::string& path);

// An empty folder for one test under the build's test work folder (removed
// and made again), as a Windows path.
std::string FreshWorkFolder(const std::string& name);

// Polls condition every 50 ms until it holds or timeoutMs have passed; while
// waiting, the caller's own messages are pumped.
bool WaitUntil(const std::function<bool()>& condition, unsigned timeoutMs);

// Dispatches every message already waiting for this thread.
void PumpPendingMessages();

std::string ReadTextFile(const std::string& path);
std::vector<std::string> ReadLines(const std::string& path);
// -1 when the file does not exist.
long long FileSize(const std::string& path);

// A started program. The destructor ends it if it still runs, so a failing
// test leaves nothing behind.
class TChildProcess {
 public:
  // Starts commandLine with the given current folder; throws std::runtime_error
  // when the system cannot start it.
  TChildProcess(const std::string& commandLine, const std::string& folder);
  ~TChildProcess();
  TChildProcess(const TChildProcess&) = delete;
  TChildProcess& operator=(const TChildProcess&) = delete;

  DWORD Id() const { return info_.dwProcessId; }
  // True when the process ended within timeoutMs.
  bool WaitForExit(unsigned timeoutMs);
  bool Running();
  // The exit code once the process has ended.
  DWORD ExitCode() const;
  // Asks every top-level window of the process to close, waits, then
  // terminates it if it is still there.
  void Stop(unsigned graceMs);

 private:
  PROCESS_INFORMATION info_{};
};

// The first visible top-level window of the process whose class is className
// (any class when empty), waiting up to timeoutMs; nullptr when none appeared.
HWND WaitForTopLevelWindow(DWORD processId, const std::string& className, unsigned timeoutMs);

// The window's rectangle in its parent's client coordinates.
RECT BoundsInParent(HWND window);

// Posts a left click at the middle of the window's client area.
void ClickMiddle(HWND window);

// The window's pixels as the screen shows them, read in one piece: 24 bits
// per pixel, rows bottom-up and padded to 4 bytes, as info describes them.
std::vector<char> ScreenRows(HWND window, BITMAPINFOHEADER& info);

// Quotes an argument for a command line.
std::string Quote(const std::string& argument);

}  // namespace quill::wintest
