#include "PluginHost.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace loungesim {
namespace {

constexpr UINT_PTR kIdleTimer = 0x5242;
constexpr UINT kQueuedEventMessage = WM_APP + 0x52;
constexpr UINT kQueuedLineMessage = WM_APP + 0x53;
constexpr int kChatFieldId = 0x5201;
constexpr int kClientWidth = 640;
constexpr int kClientHeight = 480;
constexpr std::size_t kShownLines = 6;
constexpr std::int32_t kWindowMessageKind = 3;

enum TTextKind : std::int32_t { tkFile = 0, tkInChat = 8, tkOutChat = 12, tkCommand = 32 };

// "eprs" -> 0x65707273: the first character is the most significant byte.
std::int32_t FourCharacterCode(const std::string& code) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value = (value << 8) | std::uint8_t(i < code.size() ? code[i] : ' ');
  return std::int32_t(value);
}

std::string Rest(std::istringstream& in) {
  std::string rest;
  std::getline(in >> std::ws, rest);
  return rest;
}

}  // namespace

TPluginHost* TPluginHost::active_ = nullptr;

bool TakePluginOption(const std::string& flag, const std::string& value, TPluginOptions& options) {
  if (flag == "--plugin") options.PluginPath = value;
  else if (flag == "--media") options.MediaFolder = value;
  else if (flag == "--server") options.ServerFolder = value;
  else if (flag == "--plugin-log") options.PluginLog = value;
  else if (flag == "--run") options.Commands.push_back(value);
  else if (flag == "--sync") options.Sync = value != "0";
  else if (flag == "--idle") options.IdleMs = unsigned(std::strtoul(value.c_str(), nullptr, 10));
  else return false;
  return true;
}

TPluginHost::TPluginHost(const TPluginOptions& options, TLogLine log) : options_(options), log_(std::move(log)) {
  if (options_.MediaFolder.empty()) options_.MediaFolder = ".";
  if (options_.ServerFolder.empty()) options_.ServerFolder = options_.MediaFolder + "\\server";
  if (options_.IdleMs == 0) options_.IdleMs = 100;
  records_[0].Callback = &TPluginHost::Service;
}

TPluginHost::~TPluginHost() {
  Unload();
  if (window_ && originalProc_ && IsWindow(window_))
    SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(originalProc_));
  if (active_ == this) active_ = nullptr;
}

bool TPluginHost::Attach(HWND window) {
  window_ = window;
  active_ = this;
  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRect(&frame, DWORD(GetWindowLongA(window, GWL_STYLE)), FALSE);
  SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  chatField_ = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 10, 10,
                               window, reinterpret_cast<HMENU>(kChatFieldId), GetModuleHandleA(nullptr), nullptr);
  originalFieldProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(chatField_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TPluginHost::ChatFieldProc)));
  originalProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TPluginHost::WindowProc)));
  Layout();

  plugin_ = LoadLibraryA(options_.PluginPath.c_str());
  if (plugin_)
    entryPoint_ = reinterpret_cast<TEntryPoint>(reinterpret_cast<void*>(GetProcAddress(plugin_, "_HPIEntryPoint@12")));
  if (!entryPoint_) {
    Line("plugin missing " + options_.PluginPath);
    if (plugin_) FreeLibrary(plugin_);
    plugin_ = nullptr;
    return false;
  }
  ClearEventFields();
  const std::int32_t result = Call(1);
  char text[96];
  std::snprintf(text, sizeof text, "plugin load result=%d flags=0x%X tag=0x%08X", int(result),
                unsigned(records_[0].Flags), *reinterpret_cast<const unsigned*>(records_[0].Text));
  Line(text);
  if (result != 0) {
    FreeLibrary(plugin_);
    plugin_ = nullptr;
    entryPoint_ = nullptr;
    return false;
  }
  SetTimer(window, kIdleTimer, options_.IdleMs, nullptr);
  SetFocus(chatField_);
  for (const std::string& command : options_.Commands) RunLine(command);
  return true;
}

std::int32_t TPluginHost::Call(std::int32_t event) {
  if (!entryPoint_) return 0;
  std::int32_t result = -1;
  reelbridge::win32::THostRecord& record = Record();
  ++depth_;
  const std::int32_t returned = entryPoint_(event, &record, &result);
  --depth_;
  if (returned != result) Line("plugin result mismatch");
  return returned;
}

// The record of a call at the current depth; a nested one starts as a copy of
// the outermost, with the registration the plug-in made at load.
reelbridge::win32::THostRecord& TPluginHost::Record() {
  while (records_.size() <= depth_) records_.push_back(records_.front());
  return records_[depth_];
}

// Registration words stay as the plug-in left them; every event gets fresh
// event fields.
void TPluginHost::ClearEventFields() {
  reelbridge::win32::THostRecord& record = Record();
  record.TextKind = record.TextValue = 0;
  record.MessageType = record.MessageReference = record.MessageLength = 0;
  record.WindowMessageBlock = nullptr;
  record.MessageBody = nullptr;
  std::memset(record.Text, 0, sizeof record.Text);
}

void TPluginHost::IdleInsideService() {
  if (!options_.Sync || depth_ == 0) return;
  ClearEventFields();
  Call(3);
}

void TPluginHost::Deliver(const TQueuedEvent& queued) {
  ClearEventFields();
  reelbridge::win32::THostRecord& record = Record();
  record.TextKind = queued.TextKind;
  record.TextValue = queued.TextValue;
  std::strncpy(record.Text, queued.Text.c_str(), sizeof record.Text - 1);
  record.MessageType = queued.Type;
  record.MessageReference = queued.Reference;
  // The body is followed by NUL bytes: forwarded bodies reach a little past
  // their stated length.
  std::vector<std::uint8_t> body = queued.Body;
  body.resize(body.size() + 8, 0);
  record.MessageLength = std::int32_t(queued.Body.size());
  record.MessageBody = queued.Event == 7 || queued.Event == 8 ? body.data() : nullptr;
  Call(queued.Event);
  record.MessageBody = nullptr;
  if (queued.Event == 6 && queued.TextKind == tkOutChat && record.Text[0] != '\0')
    Line(std::string("chat ") + record.Text, true);
}

// Events that arise inside a plug-in call (a blow-thru coming back, a finished
// download) wait until that call has returned, as they would from the network,
// unless --sync asks for them at once.
void TPluginHost::Queue(TQueuedEvent queued) {
  if (options_.Sync) {
    Deliver(queued);
    return;
  }
  queue_.push_back(std::move(queued));
  PostMessageA(window_, kQueuedEventMessage, 0, 0);
}

void TPluginHost::RunLine(const std::string& line) {
  std::istringstream in(line);
  std::string command;
  in >> command;
  TQueuedEvent event;
  if (command == "chat" || command == "command") {
    event = TQueuedEvent(6, command == "chat" ? tkOutChat : tkCommand, 1001);
    event.Text = Rest(in);
  } else if (command == "inchat") {
    event = TQueuedEvent(6, tkInChat);
    in >> event.TextValue;
    event.Text = Rest(in);
  } else if (command == "server7" || command == "server8") {
    std::string code;
    in >> code >> event.Reference;
    event.Event = command == "server7" ? 7 : 8;
    event.Type = FourCharacterCode(code);
    const std::string body = Rest(in);
    event.Body.assign(body.begin(), body.end());
  } else if (command == "file") {
    event = TQueuedEvent(9, tkFile);
    in >> event.TextValue;
    event.Text = Rest(in);
  } else if (command == "event") {
    in >> event.Event;
  } else if (command == "resize") {
    RECT frame{0, 0, 0, 0};
    in >> frame.right >> frame.bottom;
    AdjustWindowRect(&frame, DWORD(GetWindowLongA(window_, GWL_STYLE)), FALSE);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  } else if (command == "unload") {
    Unload();
    return;
  } else if (command == "free") {
    Free();
    return;
  } else {
    Line("unknown command " + line);
    return;
  }
  Deliver(event);
}

void TPluginHost::Unload() {
  if (!entryPoint_) return;
  KillTimer(window_, kIdleTimer);
  ClearEventFields();
  Call(2);
  FreeLibrary(plugin_);
  plugin_ = nullptr;
  entryPoint_ = nullptr;
  queue_.clear();
  Line("plugin unloaded");
}

void TPluginHost::Free() {
  if (!entryPoint_) return;
  KillTimer(window_, kIdleTimer);
  FreeLibrary(plugin_);
  plugin_ = nullptr;
  entryPoint_ = nullptr;
  queue_.clear();
  Line("plugin freed");
}

void TPluginHost::Layout() {
  RECT client;
  GetClientRect(window_, &client);
  room_ = RECT{150, 30, client.right - 10, client.bottom - 130};
  MoveWindow(chatField_, 10, client.bottom - 32, client.right - 20, 24, TRUE);
}

void TPluginHost::Paint() {
  HDC dc = GetDC(window_);
  HBRUSH floor = CreateSolidBrush(RGB(196, 214, 190));
  FillRect(dc, &room_, floor);
  DeleteObject(floor);
  SetBkMode(dc, TRANSPARENT);
  TextOutA(dc, room_.left + 4, room_.bottom - 18, "room", 4);
  int y = room_.bottom + 8;
  for (const std::string& text : shown_) {
    TextOutA(dc, 10, y, text.c_str(), int(text.size()));
    y += 15;
  }
  ReleaseDC(window_, dc);
}

void TPluginHost::Line(const std::string& text, bool shown) {
  log_(text);
  if (!options_.PluginLog.empty())
    if (std::FILE* file = std::fopen(options_.PluginLog.c_str(), "a")) {
      std::fprintf(file, "%s\n", text.c_str());
      std::fclose(file);
    }
  if (shown && window_) {
    shown_.push_back(text);
    if (shown_.size() > kShownLines) shown_.erase(shown_.begin());
    InvalidateRect(window_, nullptr, TRUE);
  }
}

LRESULT CALLBACK TPluginHost::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (active_ && active_->window_ == window) return active_->Handle(message, wParam, lParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT TPluginHost::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam != kIdleTimer) break;
      ClearEventFields();
      Call(3);
      return 0;
    case kQueuedEventMessage:
      if (!queue_.empty()) {
        const TQueuedEvent event = queue_.front();
        queue_.pop_front();
        Deliver(event);
      }
      return 0;
    case WM_COPYDATA: {
      // Run from the message loop, as a client runs its events, and not inside
      // the sender's call: the system quietly swallows faults in handlers of
      // messages sent from another process, which would hide a plug-in that
      // takes the client down.
      const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      if (data && data->lpData) {
        lines_.emplace_back(static_cast<const char*>(data->lpData), data->cbData);
        PostMessageA(window_, kQueuedLineMessage, 0, 0);
      }
      return TRUE;
    }
    case kQueuedLineMessage:
      if (!lines_.empty()) {
        const std::string line = lines_.front();
        lines_.pop_front();
        RunLine(line);
      }
      return 0;
    case WM_SIZE: {
      const LRESULT result = CallWindowProcA(originalProc_, window_, message, wParam, lParam);
      Layout();
      MSG sized{};
      sized.hwnd = window_;
      sized.message = message;
      sized.wParam = wParam;
      sized.lParam = lParam;
      const reelbridge::win32::TWindowMessageBlock block{kWindowMessageKind, {}, &sized};
      ClearEventFields();
      Record().WindowMessageBlock = &block;
      Call(5);
      Record().WindowMessageBlock = nullptr;
      return result;
    }
    case WM_PAINT: {
      const LRESULT result = CallWindowProcA(originalProc_, window_, message, wParam, lParam);
      Paint();
      return result;
    }
    case WM_DESTROY:
      Unload();
      break;
    default:
      break;
  }
  return CallWindowProcA(originalProc_, window_, message, wParam, lParam);
}

LRESULT CALLBACK TPluginHost::ChatFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
  TPluginHost* host = active_;
  if (!host) return DefWindowProcA(field, message, wParam, lParam);
  if (message == WM_CHAR && wParam == '\r') {
    char text[512] = {};
    GetWindowTextA(field, text, sizeof text);
    SetWindowTextA(field, "");
    const std::string line = text;
    if (!line.empty()) host->RunLine(line[0] == '/' ? line.substr(1) : "chat " + line);
    return 0;
  }
  return CallWindowProcA(host->originalFieldProc_, field, message, wParam, lParam);
}

}  // namespace loungesim
