#include "Win32TestSupport.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace quill::wintest {
namespace {

constexpr unsigned kPollMs = 50;

struct TWindowSearch {
  DWORD ProcessId = 0;
  std::string ClassName;
  HWND Found = nullptr;
};

BOOL CALLBACK VisitTopLevel(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<TWindowSearch*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->ProcessId || !IsWindowVisible(window)) return TRUE;
  if (!search->ClassName.empty()) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    if (search->ClassName != name) return TRUE;
  }
  search->Found = window;
  return FALSE;
}

BOOL CALLBACK CloseTopLevel(HWND window, LPARAM parameter) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == static_cast<DWORD>(parameter)) PostMessageA(window, WM_CLOSE, 0, 0);
  return TRUE;
}

}  // namespace

void PumpPendingMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

std::string WindowsPath(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  std::string converted = "Z:" + path;
  for (char& c : converted)
    if (c == '/') c = '\\';
  return converted;
}

std::string FreshWorkFolder(const std::string& name) {
  const std::filesystem::path folder = std::filesystem::path(WindowsPath(QUILL_TEST_WORK)) / name;
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder.string();
}

bool WaitUntil(const std::function<bool()>& condition, unsigned timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    PumpPendingMessages();
    Sleep(kPollMs);
  }
}

std::string ReadTextFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  std::istringstream in(ReadTextFile(path));
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

long long FileSize(const std::string& path) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  return error ? -1 : static_cast<long long>(size);
}

TChildProcess::TChildProcess(const std::string& commandLine, const std::string& folder) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &info_))
    throw std::runtime_error("cannot start " + commandLine);
}

TChildProcess::~TChildProcess() {
  if (info_.hProcess) {
    if (Running()) {
      TerminateProcess(info_.hProcess, 1);
      WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
}

bool TChildProcess::WaitForExit(unsigned timeoutMs) {
  return WaitUntil([this] { return !Running(); }, timeoutMs);
}

DWORD TChildProcess::ExitCode() const {
  DWORD code = 0;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

bool TChildProcess::Running() { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

void TChildProcess::Stop(unsigned graceMs) {
  if (!Running()) return;
  EnumWindows(CloseTopLevel, static_cast<LPARAM>(info_.dwProcessId));
  if (!WaitForExit(graceMs)) {
    TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, 5000);
  }
}

HWND WaitForTopLevelWindow(DWORD processId, const std::string& className, unsigned timeoutMs) {
  TWindowSearch search{processId, className, nullptr};
  WaitUntil(
      [&] {
        EnumWindows(VisitTopLevel, reinterpret_cast<LPARAM>(&search));
        return search.Found != nullptr;
      },
      timeoutMs);
  return search.Found;
}

RECT BoundsInParent(HWND window) {
  RECT bounds{};
  GetWindowRect(window, &bounds);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}

void ClickMiddle(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  const LPARAM middle = MAKELPARAM(client.right / 2, client.bottom / 2);
  PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, middle);
  PostMessageA(window, WM_LBUTTONUP, 0, middle);
}

std::vector<char> ScreenRows(HWND window, BITMAPINFOHEADER& info) {
  RECT r;
  GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);
  info = BITMAPINFOHEADER{};
  info.biSize = sizeof info;
  info.biWidth = w;
  info.biHeight = h;
  info.biPlanes = 1;
  info.biBitCount = 24;
  const int stride = (w * 3 + 3) & ~3;
  std::vector<char> rows(std::size_t(stride) * std::size_t(h > 0 ? h : 0));
  GetDIBits(memory, bitmap, 0, UINT(h), rows.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return rows;
}

std::string Quote(const std::string& argument) { return "\"" + argument + "\""; }

}  // namespace quill::wintest
