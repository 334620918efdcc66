// A stand-in for the movie side of the IPC bridge, for the plug-in's tests and
// for trying it by hand: a hidden "IPC_Wnd" window titled "IPC_Xtra" (the IPC
// endpoint in its movie-side role) that logs every block it receives and sends
// requests, well-formed or not.
//
//   MovieSide.exe [--log FILE] [COMMAND ...]
//
// Commands come from the command line (run once the window exists) or as
// WM_COPYDATA text sent to the window:
//   send NAME [ITEM ...] [OPTION ...]   builds and sends one block
//     items:   l:NUMBER (4 bytes)  L:NUMBER (8-byte 'l' item)  s:TEXT  b:ID,ID,... (32-bit ids)
//              "s:TEXT WITH SPACES" in double quotes
//     options: cap=N (capacity field; default 256)  size=N (byte count sent; default the capacity)
//              desc=I,OFFSET,LENGTH (overwrites descriptor I)  count=N (item count field)
//              addr=HEX (the block's address as sent)
//   writeback N  asks the peer to write N bytes of its receive buffer to us
//   connect   looks for the peer again
//   quit      closes the window
//
// Log lines:
//   ready hwnd=<hex> | peer <hex> | peer none
//   recv <name> status=<s> items=<n> <type>:<value> ...   (s items as text, b items as their length)
//   sent <name> answer=<bytes read by the peer> | not sent <name>
//   writeback answer=<bytes written> name=<name of the block written>
#include <windows.h>
#undef FreeModule

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "reelbridge/IpcEndpoint.h"
#include "reelbridge/IpcMessage.h"
#include "reelbridge/win32/Win32ProcessMemory.h"
#include "reelbridge/win32/Win32WindowSystem.h"

namespace {

using namespace reelbridge;

LRESULT CALLBACK EndpointProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

std::vector<std::string> Tokens(const std::string& line) {
  std::vector<std::string> tokens;
  std::string token;
  bool quoted = false, any = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
      any = true;
    } else if (c == ' ' && !quoted) {
      if (any) tokens.push_back(token);
      token.clear();
      any = false;
    } else {
      token += c;
      any = true;
    }
  }
  if (any) tokens.push_back(token);
  return tokens;
}

void Put32(std::uint8_t* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = std::uint8_t(value >> (8 * i));
}

class TMovieSide : public IIpcReceiver {
 public:
  explicit TMovieSide(const std::string& logPath) : windows_(EndpointProc), endpoint_(windows_, memory_) {
    if (!logPath.empty()) log_.reset(std::fopen(logPath.c_str(), "w"));
    endpoint_.SetReceiver(this);
  }

  bool Create() {
    return endpoint_.CreateEndpoint(reinterpret_cast<TInstance>(GetModuleHandleA(nullptr)), TEndpointRole::MovieSide) !=
           0;
  }
  TIpcEndpoint& Endpoint() { return endpoint_; }

  void Line(const std::string& text) {
    std::printf("%s\n", text.c_str());
    std::fflush(stdout);
    if (log_) {
      std::fprintf(log_.get(), "%s\n", text.c_str());
      std::fflush(log_.get());
    }
  }

  // Logs a change of peer, whichever message brought it.
  void NotePeer() {
    const TWindowHandle peer = endpoint_.UsablePeer();
    if (peer == knownPeer_) return;
    knownPeer_ = peer;
    char text[40];
    std::snprintf(text, sizeof text, peer ? "peer %p" : "peer none", reinterpret_cast<void*>(peer));
    Line(text);
  }

  void OnIpcMessage(TIpcEndpoint& endpoint, std::size_t bytesRead) override {
    TIpcMessage message;
    message.OpenMessage(endpoint.ReceiveBuffer(), kReceiveBufferSize, bytesRead);
    std::string line = "recv " + std::string(reinterpret_cast<const char*>(message.Block()),
                                             strnlen(reinterpret_cast<const char*>(message.Block()), kIpcNameSize));
    line += " status=" + std::to_string(message.Status()) + " items=" + std::to_string(message.ItemCount());
    for (int index = 1; index <= kIpcMaxItems; ++index) {
      std::int32_t value = 0;
      std::string text;
      const std::uint8_t* data = nullptr;
      std::uint32_t length = 0;
      if (message.GetItemValue(index, itLong, &value, sizeof value) == isNone) line += " l:" + std::to_string(value);
      else if (message.GetItemText(index, text) == isNone) line += " s:" + text;
      else if (message.GetItemRef(index, itBytes, data, length) == isNone) line += " b:" + std::to_string(length);
    }
    Line(line);
  }

  void Run(const std::string& commandLine) {
    const std::vector<std::string> tokens = Tokens(commandLine);
    if (tokens.empty()) return;
    if (tokens[0] == "send" && tokens.size() >= 2) Send(tokens);
    else if (tokens[0] == "writeback" && tokens.size() == 2) WriteBack(std::strtoul(tokens[1].c_str(), nullptr, 10));
    else if (tokens[0] == "connect") windows_.SendWindowMessage(endpoint_.OwnWindow(), kIpcConnect, 0, 0);
    else if (tokens[0] == "quit") PostMessageA(reinterpret_cast<HWND>(endpoint_.OwnWindow()), WM_CLOSE, 0, 0);
    else Line("unknown command " + commandLine);
    NotePeer();
  }

 private:
  // The block stays in this buffer while the peer reads it, as it must.
  void Send(const std::vector<std::string>& tokens) {
    std::uint32_t capacity = 256;
    for (const std::string& token : tokens)
      if (token.rfind("cap=", 0) == 0) capacity = std::uint32_t(std::strtoul(token.c_str() + 4, nullptr, 10));
    std::vector<std::uint8_t> buffer(std::max<std::size_t>(capacity, kReceiveBufferSize) + 64, 0);
    TIpcMessage message;
    message.BeginMessage(buffer.data(), buffer.size(), capacity, tokens[1].c_str());
    std::size_t size = capacity;
    std::uintptr_t address = reinterpret_cast<std::uintptr_t>(buffer.data());
    for (std::size_t i = 2; i < tokens.size(); ++i) {
      const std::string& token = tokens[i];
      const std::string value = token.size() > 2 ? token.substr(2) : "";
      if (token.rfind("l:", 0) == 0) {
        const std::int32_t number = std::int32_t(std::strtol(value.c_str(), nullptr, 10));
        message.AppendItem(&number, 4, itLong);
      } else if (token.rfind("L:", 0) == 0) {
        const std::int64_t number = std::strtoll(value.c_str(), nullptr, 10);
        message.AppendItem(&number, 8, itLong);
      } else if (token.rfind("s:", 0) == 0) {
        message.AppendItem(value.c_str(), std::uint32_t(value.size()), itString);
      } else if (token.rfind("b:", 0) == 0) {
        std::vector<std::uint8_t> ids;
        for (char* at = const_cast<char*>(value.c_str()); *at;) {
          ids.resize(ids.size() + 4);
          Put32(&ids[ids.size() - 4], std::uint32_t(std::strtoul(at, &at, 10)));
          if (*at == ',') ++at;
          else break;
        }
        message.AppendItem(ids.data(), std::uint32_t(ids.size()), itBytes);
      } else if (token.rfind("size=", 0) == 0) {
        size = std::strtoul(token.c_str() + 5, nullptr, 10);
      } else if (token.rfind("count=", 0) == 0) {
        Put32(&buffer[28], std::uint32_t(std::strtoul(token.c_str() + 6, nullptr, 10)));
      } else if (token.rfind("addr=", 0) == 0) {
        address = std::strtoul(token.c_str() + 5, nullptr, 16);
      } else if (token.rfind("desc=", 0) == 0) {
        unsigned index = 0;
        long offset = 0, length = 0;
        if (std::sscanf(token.c_str() + 5, "%u,%ld,%ld", &index, &offset, &length) == 3 && index >= 1 && index <= 3) {
          Put32(&buffer[32 + 9 * (index - 1) + 1], std::uint32_t(offset));
          Put32(&buffer[32 + 9 * (index - 1) + 5], std::uint32_t(length));
        }
      }
    }
    const TWindowHandle peer = endpoint_.UsablePeer();
    if (!peer) {
      Line("not sent " + tokens[1]);
      return;
    }
    const std::intptr_t answer = windows_.SendWindowMessage(peer, kIpcMessage, size, std::intptr_t(address));
    Line("sent " + tokens[1] + " answer=" + std::to_string(answer));
  }

  // Asks the peer to write its ReceiveBuffer into a buffer of ours.
  void WriteBack(std::size_t size) {
    std::vector<char> buffer(std::max<std::size_t>(size, kReceiveBufferSize) + 64, 0);
    const TWindowHandle peer = endpoint_.UsablePeer();
    const std::intptr_t answer =
        peer ? windows_.SendWindowMessage(peer, kIpcWriteBack, size, std::intptr_t(buffer.data())) : 0;
    Line("writeback answer=" + std::to_string(answer) +
         " name=" + std::string(buffer.data(), strnlen(buffer.data(), kIpcNameSize)));
  }

  win32::TWin32WindowSystem windows_;
  win32::TWin32ProcessMemory memory_;
  TIpcEndpoint endpoint_;
  struct TCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, TCloser> log_;
  TWindowHandle knownPeer_ = 0;
};

TMovieSide* movieSide = nullptr;

LRESULT CALLBACK EndpointProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!movieSide) return DefWindowProcA(window, message, wParam, lParam);
  std::intptr_t result = 0;
  if (movieSide->Endpoint().HandleMessage(reinterpret_cast<TWindowHandle>(window), message, wParam, lParam, result)) {
    movieSide->NotePeer();
    return result;
  }
  switch (message) {
    case WM_COPYDATA: {
      const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      if (data && data->lpData) movieSide->Run(std::string(static_cast<const char*>(data->lpData), data->cbData));
      return TRUE;
    }
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::string logPath;
  std::vector<std::string> commands;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--log" && i + 1 < argc) logPath = argv[++i];
    else commands.push_back(argument);
  }
  TMovieSide side(logPath);
  movieSide = &side;
  if (!side.Create()) {
    side.Line("cannot create the IPC window");
    return 1;
  }
  char ready[40];
  std::snprintf(ready, sizeof ready, "ready hwnd=%p", reinterpret_cast<void*>(side.Endpoint().OwnWindow()));
  side.Line(ready);
  side.NotePeer();
  for (const std::string& command : commands) side.Run(command);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  side.Endpoint().CloseEndpoint();
  movieSide = nullptr;
  return 0;
}
