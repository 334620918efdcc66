// A stand-in for the movie-player library M5IF32.DLL, for the plug-in's tests
// and for trying it by hand. It knows the 15 entry points by name, keeps a few
// players, logs every call as one line and, while animating, draws a moving
// picture into the stage rectangle of the window it was given.
//
// A "movie" is any readable file; its first line may give the stage size and
// the number of frames after which the movie stops ("64 48 20"; default
// 96 x 72, never stopping).
//
// Environment:
//   M5IF32_STUB_LOG    log file (appended); default m5if32-stub.log next to the DLL
//   M5IF32_STUB_FAULT  MMPAnimate raises an access violation for every movie
//                      whose path contains this text ("*": every movie)
//   M5IF32_STUB_FAULT_IN  ENTRY[@HANDLE][:KIND]: the entry point named ENTRY
//                      faults on entry, for every player or only for HANDLE.
//                      KIND: "access" (default) an access violation,
//                      "overflow" a stack overflow, "throw" a C++ exception
//                      as the platform's compiler throws it, "window" an
//                      access violation inside a window procedure that the
//                      entry point reaches through SendMessage
//
// Log lines: "<entry point> h=<handle> ..." as written below.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int kMaxPlayers = 16;

struct TStubPlayer {
  bool Used = false;
  bool Loaded = false;
  bool Running = false;
  HWND Window = nullptr;
  RECT Stage{};
  int Width = 96, Height = 72, Frames = 0, Frame = 0;
  std::string Path;
};

TStubPlayer players[kMaxPlayers];
HMODULE self = nullptr;

std::string Environment(const char* name) {
  char value[512];
  const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

void Log(const char* format, ...) {
  std::string path = Environment("M5IF32_STUB_LOG");
  if (path.empty()) {
    char module[MAX_PATH] = {};
    GetModuleFileNameA(self, module, sizeof module);
    path = module;
    path = path.substr(0, path.find_last_of("\\/") + 1) + "m5if32-stub.log";
  }
  char line[600];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(line, sizeof line, format, arguments);
  va_end(arguments);
  if (std::FILE* file = std::fopen(path.c_str(), "a")) {
    std::fprintf(file, "%s\n", line);
    std::fclose(file);
  }
}

TStubPlayer* Find(int handle) {
  if (handle < 1 || handle > kMaxPlayers || !players[handle - 1].Used) return nullptr;
  return &players[handle - 1];
}

bool ShouldFault(const TStubPlayer& player) {
  const std::string pattern = Environment("M5IF32_STUB_FAULT");
  return !pattern.empty() && (pattern == "*" || player.Path.find(pattern) != std::string::npos);
}

void RaiseAccessViolation() {
  // Through a volatile pointer, so the compiler emits the store and not a trap.
  volatile int* volatile nowhere = reinterpret_cast<int*>(0x10);
  *nowhere = 1;
}

void OverflowTheStack(volatile int depth) {
  volatile char room[4096];
  room[0] = char(depth);
  // Never false in practice (the stack ends long before); it only keeps the
  // recursion from looking endless to the compiler.
  if (depth < 0x7FFFFFFF) OverflowTheStack(depth + 1);
  room[1] = room[0];  // after the call, so it is not a tail call
}

// What a C++ exception looks like when it leaves code built with the
// platform's own compiler: a software exception with that runtime's code.
void ThrowCppException() {
  constexpr DWORD kCppExceptionCode = 0xE06D7363;
  static int thrown = 42;
  const ULONG_PTR arguments[3] = {0x19930520, reinterpret_cast<ULONG_PTR>(&thrown), 0};
  RaiseException(kCppExceptionCode, EXCEPTION_NONCONTINUABLE, 3, arguments);
}

constexpr UINT kFaultMessage = WM_APP + 0x4D;

LRESULT CALLBACK FaultingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kFaultMessage) RaiseAccessViolation();
  return DefWindowProcA(window, message, wParam, lParam);
}

void FaultInsideWindowProcedure() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = FaultingWindowProc;
  windowClass.hInstance = self;
  windowClass.lpszClassName = "M5IF32StubFault";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, self, nullptr);
  SendMessageA(window, kFaultMessage, 0, 0);
  DestroyWindow(window);
}

// Faults when M5IF32_STUB_FAULT_IN names this entry point (and this handle).
void EnterEntry(const char* entry, int handle) {
  const std::string setting = Environment("M5IF32_STUB_FAULT_IN");
  const std::size_t colon = setting.find(':');
  const std::string target = setting.substr(0, colon);
  const std::string kind = colon == std::string::npos ? "access" : setting.substr(colon + 1);
  // "_MMPFileLoaded@4" carries an "@" of its own: the handle follows the name.
  const std::string name = entry;
  const bool every = target == name;
  if (!every &&
      (target.compare(0, name.size() + 1, name + "@") != 0 || std::atoi(target.c_str() + name.size() + 1) != handle))
    return;
  Log("%s h=%d fault %s", entry, handle, kind.c_str());
  if (kind == "overflow") OverflowTheStack(0);
  else if (kind == "throw") ThrowCppException();
  else if (kind == "window") FaultInsideWindowProcedure();
  else RaiseAccessViolation();
}

int NextHandle() {
  for (int i = 0; i < kMaxPlayers; ++i)
    if (!players[i].Used) return i + 1;
  return 0;
}

// A dark stage with a square that moves left to right, then starts again, and
// the frame number; repainting the window between frames is the host's job.
void Draw(TStubPlayer& player) {
  if (!player.Window) return;
  HDC dc = GetDC(player.Window);
  if (!dc) return;
  const RECT& s = player.Stage;
  HBRUSH back = CreateSolidBrush(RGB(20, 30, 90));
  FillRect(dc, &s, back);
  DeleteObject(back);
  const int side = (s.bottom - s.top) / 3 > 4 ? (s.bottom - s.top) / 3 : 4;
  const int travel = (s.right - s.left) - side > 1 ? (s.right - s.left) - side : 1;
  const int x = s.left + (player.Frame * 4) % travel;
  const RECT square{x, s.top + (s.bottom - s.top - side) / 2, x + side, s.top + (s.bottom - s.top + side) / 2};
  HBRUSH fore = CreateSolidBrush(RGB(250, 210, 40));
  FillRect(dc, &square, fore);
  DeleteObject(fore);
  char text[32];
  const int length = std::snprintf(text, sizeof text, "frame %d", player.Frame);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  TextOutA(dc, s.left + 3, s.top + 2, text, length);
  ReleaseDC(player.Window, dc);
}

void ReadMovie(TStubPlayer& player, std::FILE* file) {
  int width = 0, height = 0, frames = 0;
  const int fields = std::fscanf(file, "%d %d %d", &width, &height, &frames);
  if (fields >= 2 && width > 0 && height > 0 && width <= 4096 && height <= 4096) {
    player.Width = width;
    player.Height = height;
  }
  if (fields >= 3 && frames > 0) player.Frames = frames;
}

}  // namespace

extern "C" {

int __stdcall MMPOpen(HWND window, int flags, std::uint16_t* version) {
  EnterEntry("MMPOpen", NextHandle());
  int handle = 0;
  for (int i = 0; i < kMaxPlayers && handle == 0; ++i)
    if (!players[i].Used) {
      players[i] = TStubPlayer{};
      players[i].Used = true;
      players[i].Window = window;
      handle = i + 1;
    }
  if (version) *version = 0x0500;
  Log("MMPOpen window=%p flags=%d -> %d", static_cast<void*>(window), flags, handle);
  return handle;
}

int __stdcall MMPStartAnimating(int handle, int flags) {
  EnterEntry("MMPStartAnimating", handle);
  TStubPlayer* player = Find(handle);
  if (player) player->Running = true;
  Log("MMPStartAnimating h=%d flags=0x%08X", handle, unsigned(flags));
  return player != nullptr;
}

int __stdcall MMPClose(int handle, int flags) {
  EnterEntry("MMPClose", handle);
  TStubPlayer* player = Find(handle);
  if (player) *player = TStubPlayer{};
  Log("MMPClose h=%d flags=%d", handle, flags);
  return player != nullptr;
}

int __stdcall MMPFreeFile(int handle) {
  Log("MMPFreeFile h=%d", handle);
  return 0;
}

int __stdcall MMPStopAnimating(int handle) {
  TStubPlayer* player = Find(handle);
  if (player) player->Running = false;
  Log("MMPStopAnimating h=%d", handle);
  return 0;
}

int __stdcall MMPError(int handle) {
  Log("MMPError h=%d", handle);
  return 0;
}

int __stdcall MMPAnimStopped(int handle) {
  EnterEntry("MMPAnimStopped", handle);
  TStubPlayer* player = Find(handle);
  return !player || (player->Frames > 0 && player->Frame >= player->Frames);
}

int __stdcall MMPAnimate(int handle) {
  EnterEntry("MMPAnimate", handle);
  TStubPlayer* player = Find(handle);
  if (!player || !player->Loaded) return 0;
  if (ShouldFault(*player)) {
    Log("MMPAnimate h=%d fault", handle);
    RaiseAccessViolation();
  }
  if (player->Running) {
    ++player->Frame;
    Draw(*player);
  }
  Log("MMPAnimate h=%d frame=%d", handle, player->Frame);
  return 1;
}

int __stdcall MMPFileLoaded(int handle) {
  EnterEntry("_MMPFileLoaded@4", handle);
  TStubPlayer* player = Find(handle);
  return player && player->Loaded;
}

int __stdcall MMPLoadFile(int handle, const char* path, int mode) {
  EnterEntry("MMPLoadFile", handle);
  TStubPlayer* player = Find(handle);
  int result = 0;
  if (player && path) {
    if (std::FILE* file = std::fopen(path, "rb")) {
      ReadMovie(*player, file);
      std::fclose(file);
      player->Loaded = true;
      player->Running = false;
      player->Frame = 0;
      player->Path = path;
      result = 1;
    }
  }
  Log("MMPLoadFile h=%d path=%s mode=%d -> %d", handle, path ? path : "(null)", mode, result);
  return result;
}

int __stdcall MMPUpdate(int handle) {
  Log("MMPUpdate h=%d", handle);
  return 0;
}

int __stdcall MMPGoToFrame(int handle, int frame) {
  Log("MMPGoToFrame h=%d frame=%d", handle, frame);
  return 0;
}

int __stdcall MMPSetStage(int handle, HWND window, const RECT* stage, int flags) {
  EnterEntry("MMPSetStage", handle);
  TStubPlayer* player = Find(handle);
  if (player && stage) {
    player->Window = window;
    player->Stage = *stage;
  }
  if (stage)
    Log("MMPSetStage h=%d window=%p stage=%ld,%ld,%ld,%ld flags=%d", handle, static_cast<void*>(window), stage->left,
        stage->top, stage->right, stage->bottom, flags);
  return player != nullptr;
}

#ifndef M5IF32_STUB_WITHOUT_GET_STAGE
int __stdcall MMPGetStage(int handle, RECT* stage) {
  EnterEntry("MMPGetStage", handle);
  TStubPlayer* player = Find(handle);
  if (player && stage) *stage = player->Stage;
  Log("MMPGetStage h=%d", handle);
  return player != nullptr;
}
#endif

// The configuration record is 48 bytes; its first four fields are the
// movie's own stage rectangle.
int __stdcall MMPGetConfigInfo(int handle, std::int32_t* config) {
  EnterEntry("MMPGetConfigInfo", handle);
  TStubPlayer* player = Find(handle);
  if (config) {
    std::memset(config, 0, 48);
    if (player) {
      config[2] = player->Width;
      config[3] = player->Height;
    }
  }
  Log("MMPGetConfigInfo h=%d", handle);
  return player != nullptr;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) self = instance;
  return TRUE;
}

}  // extern "C"
