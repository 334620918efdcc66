// A stand-in for the chat client, for tests and demonstrations: a top-level
// window of class "Lounge" whose title contains "The Lounge". It writes every
// key event it receives as one line to a log file (and stdout) and, on Ctrl+Q,
// takes the clipboard's CF_DIB the way the client takes props: it reports the
// image in the log, saves it as a BMP file and cuts it into 44 x 44 props;
// Ctrl+P shows the props in the window (and with --shot saves a picture of
// the window's content as a BMP file).
//
//   LoungeSim.exe [--log FILE] [--bmp FILE] [--shot FILE] [--title TEXT] [--timeout SECONDS]
//                 [--plugin DLL [--media FOLDER] [--server FOLDER] [--plugin-log FILE] [--idle MS] [--run COMMAND]...]
//
// With --plugin it also hosts a plug-in (PluginHost.h).
//
// Log lines:
//   ready hwnd=<hex>
//   key down|up vk=0x<hex> scan=0x<hex> msg=WM_KEYDOWN|WM_KEYUP|WM_SYSKEYDOWN|WM_SYSKEYUP
//   CF_DIB <w>x<h> <bits>bpp colours=<n> compression=<c> bytes=<size> table=<hash>
//   CF_DIB none | CF_DIB invalid: <reason> | clipboard busy
//   saved <path>
//   props taken <columns>x<rows> | props invalid: <reason>
//   props shown <count>    (Ctrl+P)
//   shot <path>
//   timeout | closed
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "DibReport.h"
#include "PluginHost.h"
#include "PropsView.h"

namespace {

constexpr char kClassName[] = "Lounge";
constexpr char kDefaultTitle[] = "The Lounge - sim";
constexpr int kClientWidth = 420;
constexpr int kClientHeight = 300;
constexpr UINT_PTR kTimeoutTimer = 1;
constexpr int kImageLeft = 10;
constexpr int kImageTop = 40;

struct TOptions {
  std::string LogPath;
  std::string BmpPath;
  std::string ShotPath;
  std::string Title = kDefaultTitle;
  unsigned TimeoutSeconds = 0;
  loungesim::TPluginOptions Plugin;
};

struct TFileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using TFile = std::unique_ptr<std::FILE, TFileCloser>;

class TLog {
 public:
  explicit TLog(const std::string& path) {
    if (!path.empty()) file_.reset(std::fopen(path.c_str(), "w"));
  }
  void Line(const std::string& text) {
    std::printf("%s\n", text.c_str());
    std::fflush(stdout);
    if (file_) {
      std::fprintf(file_.get(), "%s\n", text.c_str());
      std::fflush(file_.get());
    }
  }

 private:
  TFile file_;
};

// Opens the clipboard for the lifetime of the object; another program may hold
// it for a moment, so a few attempts are made.
class TClipboardLock {
 public:
  explicit TClipboardLock(HWND owner) {
    for (int attempt = 0; attempt < 10 && !open_; ++attempt) {
      open_ = OpenClipboard(owner) != FALSE;
      if (!open_) Sleep(20);
    }
  }
  ~TClipboardLock() {
    if (open_) CloseClipboard();
  }
  TClipboardLock(const TClipboardLock&) = delete;
  TClipboardLock& operator=(const TClipboardLock&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_ = false;
};

class TSimWindow {
 public:
  TSimWindow(const TOptions& options, TLog& log) : options_(options), log_(log) {}

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TSimWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self) return self->Handle(window, message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
  }

 private:
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_KEYDOWN:
      case WM_KEYUP:
      case WM_SYSKEYDOWN:
      case WM_SYSKEYUP:
        OnKey(window, message, unsigned(wParam), lParam);
        return message == WM_KEYDOWN || message == WM_KEYUP ? 0 : DefWindowProcA(window, message, wParam, lParam);
      case WM_PAINT:
        OnPaint(window);
        return 0;
      case WM_TIMER:
        if (wParam == kTimeoutTimer) {
          log_.Line("timeout");
          DestroyWindow(window);
        }
        return 0;
      case WM_CLOSE:
        log_.Line("closed");
        DestroyWindow(window);
        return 0;
      case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
      default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
  }

  static const char* MessageName(UINT message) {
    switch (message) {
      case WM_KEYDOWN:
        return "WM_KEYDOWN";
      case WM_KEYUP:
        return "WM_KEYUP";
      case WM_SYSKEYDOWN:
        return "WM_SYSKEYDOWN";
      default:
        return "WM_SYSKEYUP";
    }
  }

  void OnKey(HWND window, UINT message, unsigned virtualKey, LPARAM lParam) {
    const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    const unsigned scan = unsigned(lParam >> 16) & 0xFFu;
    char line[96];
    std::snprintf(line, sizeof line, "key %s vk=0x%02X scan=0x%02X msg=%s", down ? "down" : "up", virtualKey, scan,
                  MessageName(message));
    log_.Line(line);
    if (virtualKey == VK_CONTROL) controlDown_ = down;
    const bool control = controlDown_ || (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    if (down && control && virtualKey == 'Q') TakeClipboardImage(window);
    if (down && control && virtualKey == 'P') ShowProps(window);
  }

  void TakeClipboardImage(HWND window) {
    std::vector<std::uint8_t> dib;
    {
      TClipboardLock lock(window);
      if (!lock.IsOpen()) {
        log_.Line("clipboard busy");
        return;
      }
      HANDLE data = GetClipboardData(CF_DIB);
      if (!data) {
        log_.Line("CF_DIB none");
        return;
      }
      const SIZE_T size = GlobalSize(data);
      const void* bytes = GlobalLock(data);
      if (!bytes) {
        log_.Line("CF_DIB none");
        return;
      }
      dib.assign(static_cast<const std::uint8_t*>(bytes), static_cast<const std::uint8_t*>(bytes) + size);
      GlobalUnlock(data);
    }
    try {
      const loungesim::TDibSummary summary = loungesim::SummariseDib(dib);
      log_.Line(loungesim::FormatSummary(summary));
      if (!options_.BmpPath.empty()) SaveBmp(loungesim::MakeBmpFile(dib, summary));
    } catch (const loungesim::EDibError& e) {
      log_.Line(std::string("CF_DIB invalid: ") + e.what());
      return;
    }
    try {
      props_.Take(loungesim::CutIntoProps(dib, loungesim::SummariseDib(dib)));
      log_.Line("props taken " + props_.TakenGrid());
    } catch (const loungesim::EDibError& e) {
      log_.Line(std::string("props invalid: ") + e.what());
    }
  }

  void ShowProps(HWND window) {
    log_.Line("props shown " + std::to_string(props_.Show()));
    InvalidateRect(window, nullptr, TRUE);
    if (options_.ShotPath.empty()) return;
    auto paint = [](HDC dc, void* self) { static_cast<TSimWindow*>(self)->PaintContent(dc); };
    if (loungesim::SavePaintingAsBmp(kClientWidth, kClientHeight, paint, this, options_.ShotPath))
      log_.Line("shot " + options_.ShotPath);
    else log_.Line("cannot write " + options_.ShotPath);
  }

  void SaveBmp(const std::vector<std::uint8_t>& file) {
    TFile out(std::fopen(options_.BmpPath.c_str(), "wb"));
    if (!out || std::fwrite(file.data(), 1, file.size(), out.get()) != file.size()) {
      log_.Line("cannot write " + options_.BmpPath);
      return;
    }
    log_.Line("saved " + options_.BmpPath);
  }

  void OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    PaintContent(dc);
    EndPaint(window, &paint);
  }

  void PaintContent(HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    const char text[] = "Ctrl+Q takes the clipboard image, Ctrl+P shows props";
    TextOutA(dc, kImageLeft, 12, text, int(sizeof text - 1));
    props_.Paint(dc, kImageLeft, kImageTop);
  }

  const TOptions& options_;
  TLog& log_;
  bool controlDown_ = false;
  loungesim::TPropsView props_;
};

bool ParseOptions(int argc, char** argv, TOptions& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string flag = argv[i];
    if (i + 1 >= argc) return false;
    const std::string value = argv[++i];
    if (flag == "--log") options.LogPath = value;
    else if (flag == "--bmp") options.BmpPath = value;
    else if (flag == "--shot") options.ShotPath = value;
    else if (flag == "--title") options.Title = value;
    else if (flag == "--timeout") options.TimeoutSeconds = unsigned(std::strtoul(value.c_str(), nullptr, 10));
    else if (loungesim::TakePluginOption(flag, value, options.Plugin)) continue;
    else return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  TOptions options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: LoungeSim [--log FILE] [--bmp FILE] [--shot FILE] [--title TEXT] [--timeout SECONDS]\n");
    return 2;
  }
  TLog log(options.LogPath);
  TSimWindow sim(options, log);

  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = TSimWindow::WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kClassName;
  if (!RegisterClassA(&windowClass)) return 1;

  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
  HWND window = CreateWindowExA(0, kClassName, options.Title.c_str(), WS_OVERLAPPEDWINDOW, 300, 200,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, &sim);
  if (!window) return 1;
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  SetForegroundWindow(window);
  if (options.TimeoutSeconds > 0) SetTimer(window, kTimeoutTimer, options.TimeoutSeconds * 1000, nullptr);
  std::unique_ptr<loungesim::TPluginHost> plugin;
  if (!options.Plugin.PluginPath.empty()) {
    plugin =
        std::make_unique<loungesim::TPluginHost>(options.Plugin, [&log](const std::string& text) { log.Line(text); });
    plugin->Attach(window);
  }
  char ready[48];
  std::snprintf(ready, sizeof ready, "ready hwnd=%p", static_cast<void*>(window));
  log.Line(ready);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
