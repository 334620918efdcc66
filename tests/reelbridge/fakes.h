#pragma once
// In-memory stand-ins for everything the plug-in's core runs on: the chat
// client's record and services, a window system whose windows answer through
// procedures, process memory that is this process's own, and a movie-player
// library of plain functions. One TFakeWorld wires them to a plug-in and to a
// movie-side endpoint. No test framework here: the fuzz targets use it too.
#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "reelbridge/IpcMessage.h"
#include "reelbridge/Plugin.h"

namespace reelbridge::fake {

using TBytes = std::vector<std::uint8_t>;

// Ordered record of what the client and the library were asked to do.
std::vector<std::string>& Journal();

class TFakeHost : public IHost {
 public:
  std::int32_t RecordWord(TRecordWord word) const override;
  void SetRecordWord(TRecordWord word, std::int32_t value) override;
  std::vector<std::uint8_t> MessageBody(std::size_t limit) const override {
    return TBytes(Body.begin(), Body.begin() + std::ptrdiff_t(std::min(limit, Body.size())));
  }
  bool WindowMessage(TWindowMessageInfo& info) const override;
  std::string Text() const override { return TextValue; }
  void EmptyText() override { TextValue.clear(); }
  void Say(const std::string& text) override { Said.push_back(text); }
  std::int32_t RunScript(const std::string& script) override;
  void Log(const std::string& line) override;
  std::int32_t MyId() override { return Id; }
  void SendBlowThru(const std::uint8_t* packet, std::uint32_t length) override;
  void RequestFile(TMediaKind kind, const std::uint8_t* lengthPrefixedName) override;
  std::optional<std::string> UserName(std::int32_t userId) override;
  std::optional<std::string> LocalPath(const std::string& fileName) override;
  void GetRoomArea(TRect& rect) override;

  std::map<int, std::int32_t> Words;
  TBytes Body;
  std::optional<TWindowMessageInfo> Message;
  std::string TextValue;
  std::int32_t Id = 4242;
  std::int32_t ScriptResult = 77;
  std::map<std::int32_t, std::string> Names;
  std::map<std::string, std::string> Paths;
  std::optional<std::string> DefaultPath;  // for names not in Paths
  std::optional<TRect> Room;

  std::vector<std::string> Said, Scripts, Logged, PathsAsked;
  std::vector<TBytes> Packets;
  std::vector<std::pair<std::int32_t, std::string>> FileRequests;
};

class TFakeWindows : public IWindowSystem {
 public:
  using TProcedure = std::function<bool(TWindowHandle, std::uint32_t, std::uintptr_t, std::intptr_t, std::intptr_t&)>;
  struct TWindow {
    std::string ClassName, Title;
    TRect Client;
    TInstance Instance = 0;
    bool Live = true;
  };

  void SetProcedure(TInstance instance, TProcedure procedure) { procedures_[instance] = procedure; }
  TWindowHandle AddWindow(const std::string& className, const std::string& title, TRect client);
  void Kill(TWindowHandle window) { windows_[window].Live = false; }
  void DeliverPosted();
  std::size_t LiveEndpointWindows() const;

  TWindowHandle FindTopLevelWindow(const char* className, const char* title) override;
  bool IsLiveWindow(TWindowHandle window) override;
  std::intptr_t SendWindowMessage(TWindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam) override;
  bool PostWindowMessage(TWindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                         std::intptr_t lParam) override;
  bool GetClientRectangle(TWindowHandle window, TRect& rect) override;
  bool RegisterEndpointClass(TInstance instance) override;
  void UnregisterEndpointClass(TInstance instance) override { registered_.erase(instance); }
  TWindowHandle CreateEndpointWindow(TInstance instance, const char* title) override;
  void DestroyEndpointWindow(TWindowHandle window) override { Kill(window); }

  bool FailRegister = false;
  bool FailCreate = false;

 private:
  struct TPosted {
    TWindowHandle Window;
    std::uint32_t Message;
    std::uintptr_t WParam;
    std::intptr_t LParam;
  };
  std::map<TWindowHandle, TWindow> windows_;
  std::map<TInstance, TProcedure> procedures_;
  std::set<TInstance> registered_;
  std::deque<TPosted> posted_;
  TWindowHandle next_ = 0x100;
};

// Both processes are this one, so an address is read where it stands.
class TFakeMemory : public IProcessMemory {
 public:
  std::size_t ReadWindowProcess(TWindowHandle window, std::uintptr_t address, void* destination,
                                std::size_t size) override;
  std::size_t WriteWindowProcess(TWindowHandle window, std::uintptr_t address, const void* source,
                                 std::size_t size) override;
  bool FailTransfers = false;
  std::vector<std::size_t> ReadSizes;
};

// The library's behaviour, shared by its plain-function entry points.
struct TFakeLibrary {
  std::string Missing;  // an entry point left out
  bool FailLoad = false;
  int Loads = 0, Frees = 0;
  TRect StageRect{0, 0, 64, 48};
  std::int32_t LoadFileResult = 1;
  std::int32_t FileLoaded = 1;
  std::int32_t Stopped = 0;
  std::set<TPlayerHandle> Faulting;  // MMPAnimate faults for these
  std::set<std::string> FaultIn;     // entry points that fault for every player
  TPlayerHandle NextHandle = 1;
  std::vector<TRect> Stages;
  std::vector<TPlayerHandle> Animated;
  std::vector<std::string> LoadedPaths;
};
TFakeLibrary& Library();

// What the fake library's MMPAnimate raises, and the fake guard catches.
struct TFakeFault {};

class TFakeModules : public IModuleLoader {
 public:
  TInstance ProcessInstance() override { return 0x400000; }
  TModuleHandle LoadModule(const char* name) override;
  TProcAddress ResolveSymbol(TModuleHandle module, const char* name) override;
  void FreeModule(TModuleHandle module) override;
};

class TFakeGuard : public IFaultGuard {
 public:
  bool CallFaulted(TGuardedCall call, void* context) override;
  int Faults = 0;
};

// A plug-in on fake services, the client's "Lounge" window, and a movie-side
// endpoint that keeps a copy of every block it receives.
class TFakeWorld : public IIpcReceiver {
 public:
  TFakeWorld();
  ~TFakeWorld() override;

  std::int32_t Event(std::int32_t event) { return plugin.HandleEvent(event, &host); }
  // Loads the plug-in and lets the client's message loop run its posted connect.
  std::int32_t Load();
  void StartMovieSide();
  // Sends a block from the movie side; returns the host side's answer (bytes read).
  std::intptr_t SendRequest(const std::uint8_t* block, std::size_t size);

  void OnIpcMessage(TIpcEndpoint& endpoint, std::size_t bytesRead) override;

  TFakeHost host;
  TFakeWindows windows;
  TFakeMemory memory;
  TFakeModules modules;
  TFakeGuard guard;
  TPlugin plugin;
  TIpcEndpoint movie;
  TWindowHandle lounge = 0;
  std::vector<TBytes> received;  // blocks the movie side got, as read
};

constexpr TInstance kMovieInstance = 0x500000;

// Reads item `index` of a received block as text / 32-bit value (for checks).
std::string ItemText(const TBytes& block, int index);
std::int32_t ItemValue(const TBytes& block, int index);
std::string BlockName(const TBytes& block);
std::int32_t Le32(const std::uint8_t* p);

}  // namespace reelbridge::fake
