#pragma once
// The plug-in as a whole, behind its two exports: the DLL's entry point calls
// HandleEvent, its IPC window procedure calls HandleWindowMessage. Everything
// runs on the chat client's window thread.
//
// Events: 1 load, 2 unload, 3 idle (animate), 4 nothing, 5 window message
// (relayout on resize of the client window), 6 chat text, 7 and 8 server
// messages, 9 file arrived. Nothing is thrown out of either call.
#include <cstdint>

#include "reelbridge/EventForwarder.h"
#include "reelbridge/FaultGuard.h"
#include "reelbridge/Host.h"
#include "reelbridge/IpcEndpoint.h"
#include "reelbridge/ModuleLoader.h"
#include "reelbridge/MoviePlayers.h"
#include "reelbridge/ProcessMemory.h"
#include "reelbridge/Requests.h"
#include "reelbridge/WindowSystem.h"

namespace reelbridge {

constexpr const char* kLoadBanner = "** Kinoby Loaded **\r";
constexpr const char* kUnloadBanner = "** Kinoby UnLoaded **\r";

enum THostEvent : std::int32_t {
  heLoad = 1,
  heUnload = 2,
  heIdle = 3,
  heNothing = 4,
  heWindowMessage = 5,
  heChatText = 6,
  heServerMessage = 7,
  heServerMessageAll = 8,
  heFileArrived = 9,
};

// The services the plug-in runs on; they outlive it.
struct TPlatform {
  IWindowSystem& Windows;
  IProcessMemory& Memory;
  IModuleLoader& Modules;
  IFaultGuard& Faults;
};

class TPlugin {
 public:
  explicit TPlugin(const TPlatform& platform);
  ~TPlugin();
  TPlugin(const TPlugin&) = delete;
  TPlugin& operator=(const TPlugin&) = delete;

  // The entry point: handles the event on `host`, the call's own record,
  // which needs to stay usable only until the call returns, and returns the
  // outcome the export stores and returns: 1 when load failed, else 0. A
  // call made from inside a service of another is handled the same way, and
  // the outer call goes on with its own record afterwards.
  std::int32_t HandleEvent(std::int32_t event, IHost* host);

  // The latest record, whose services the IPC window procedure uses between
  // entry-point calls. It must stay usable until replaced or the plug-in is
  // destroyed.
  void SetCurrentHost(IHost* host) { requests_.SetHost(host); }

  // True while the plug-in holds nothing outside its own memory: no window,
  // no movie-player library.
  bool HoldsNothing() const { return endpoint_.OwnWindow() == 0 && !players_.LibraryLoaded(); }

  // The IPC window procedure: true with `result` set for the IPC messages,
  // false for messages the caller passes to the default window procedure.
  bool HandleWindowMessage(TWindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam,
                           std::intptr_t& result);

  TIpcEndpoint& Endpoint() { return endpoint_; }
  TMoviePlayers& Players() { return players_; }

 private:
  std::int32_t Load(IHost& host);
  void Unload(IHost& host);
  void WindowMessage(IHost& host);
  void ChatText(IHost& host);

  TPlatform platform_;
  TIpcEndpoint endpoint_;
  TEventForwarder forwarder_;
  TRequestReceiver requests_;
  TMoviePlayers players_;
};

}  // namespace reelbridge
