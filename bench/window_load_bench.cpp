// Times the window's "Load" of a picture under the system, against
// quill-cli.exe's whole run on the same file. Quill.exe starts in a fresh
// folder, "Load" is clicked and the open dialog answered with the picture;
// the time runs from the dialog's OK to the section view showing the picture
// on the screen (its pixels differing from those before the load), which
// includes the wait for the window's next 100 ms refresh tick. quill-cli.exe
// is timed from its start to its exit (load, rescale, refresh, reduction,
// file). Wall-clock time, best of the runs; reported, not judged.
//   window_load_bench PICTURE [--runs N]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "Win32TestSupport.h"
#include "quill/platform/win32/Win32ControlNames.h"

namespace {

using namespace quill;
using Clock = std::chrono::steady_clock;

constexpr unsigned kStartTimeoutMs = 30000;
constexpr unsigned kStepTimeoutMs = 30000;
constexpr unsigned kSettleMs = 500;  // start-up's own refreshes are over by then
constexpr int kFileNameBox = 0x47C;  // the open dialog's file name field

// The window's pixels as the screen shows them.
std::vector<char> ScreenPixels(HWND window) {
  BITMAPINFOHEADER info;
  return wintest::ScreenRows(window, info);
}

// Milliseconds from the dialog's OK to the section shown; negative on failure.
double WindowLoad(const std::string& picture, const std::string& folder) {
  wintest::TChildProcess quill(wintest::Quote(wintest::WindowsPath(QUILL_EXE)), folder);
  HWND form = wintest::WaitForTopLevelWindow(quill.Id(), "QuillForm", kStartTimeoutMs);
  if (!form) return -1;
  HWND section = FindControlWindow(form, "NavigateImage32");
  HWND load = FindControlWindow(form, "SpeedButton20");
  if (!section || !load) return -1;
  Sleep(kSettleMs);
  wintest::ClickMiddle(load);
  HWND dialog = wintest::WaitForTopLevelWindow(quill.Id(), "#32770", kStepTimeoutMs);
  if (!dialog || !SetDlgItemTextA(dialog, kFileNameBox, picture.c_str())) return -1;
  // The dialog moves off the main window, so that its closing changes none
  // of the section view's pixels on the screen.
  RECT formBounds;
  GetWindowRect(form, &formBounds);
  SetWindowPos(dialog, nullptr, formBounds.right + 8, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  Sleep(kSettleMs);
  const std::vector<char> before = ScreenPixels(section);
  const Clock::time_point start = Clock::now();
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), LPARAM(GetDlgItem(dialog, IDOK)));
  const bool shown = wintest::WaitUntil([&] { return ScreenPixels(section) != before; }, kStepTimeoutMs);
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  quill.Stop(5000);
  return shown ? ms : -1;
}

double CliRoad(const std::string& picture, const std::string& folder) {
  const Clock::time_point start = Clock::now();
  wintest::TChildProcess cli(wintest::Quote(wintest::WindowsPath(QUILL_CLI_EXE)) + " " + wintest::Quote(picture) +
                                 " -o " + wintest::Quote(folder + "\\out.bmp"),
                             folder);
  if (!cli.WaitForExit(kStepTimeoutMs) || cli.ExitCode() != 0) return -1;
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: window_load_bench PICTURE [--runs N]\n");
    return 2;
  }
  const int runs = argc >= 4 && std::string(argv[2]) == "--runs" ? std::max(1, std::atoi(argv[3])) : 5;
  // The dialog makes the picture's folder the current one: the picture is
  // copied into a folder of the bench's own, which the window may write into.
  const std::string folder = wintest::FreshWorkFolder("window-load");
  const std::string picture = folder + "\\" + std::filesystem::path(argv[1]).filename().string();
  std::filesystem::copy_file(wintest::WindowsPath(argv[1]), picture);
  double window = 1e30, cli = 1e30;
  for (int i = 0; i < runs; ++i) {
    const double w = WindowLoad(picture, folder), c = CliRoad(picture, folder);
    if (w < 0 || c < 0) {
      std::fprintf(stderr, "window_load_bench: run %d failed (window %.1f, quill-cli %.1f)\n", i + 1, w, c);
      return 1;
    }
    std::printf("run %d: window load %.1f ms, quill-cli.exe %.1f ms\n", i + 1, w, c);
    window = std::min(window, w);
    cli = std::min(cli, c);
  }
  std::printf("best of %d: window load %.1f ms, quill-cli.exe %.1f ms, ratio %.2fx\n", runs, window, cli, window / cli);
  return 0;
}
