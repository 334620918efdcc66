#include "reelbridge/Plugin.h"

#include <algorithm>

#include "reelbridge/ChatCommands.h"

namespace reelbridge {
namespace {

constexpr std::int32_t kRegisteredFlagA = 0x20;
constexpr std::int32_t kRegisteredFlagB = 0x40;
constexpr std::int32_t kInterfaceVersion = 4;
constexpr std::int32_t kTextKindOutChat = 12;
constexpr std::int32_t kTextKindCommandOnly = 32;
constexpr std::int32_t kTextKindFile = 0;

}  // namespace

TPlugin::TPlugin(const TPlatform& platform)
    : platform_(platform),
      endpoint_(platform.Windows, platform.Memory),
      forwarder_(endpoint_),
      players_(platform.Windows, platform.Modules, platform.Faults) {
  endpoint_.SetReceiver(&requests_);
}

TPlugin::~TPlugin() = default;

namespace {

// Gives the players the call's host for as long as the call runs, and the
// outer call's back when a nested call returns.
class TPlayersHostScope {
 public:
  TPlayersHostScope(TMoviePlayers& players, IHost* host) : players_(players), outer_(players.Host()) {
    players_.SetHost(host);
  }
  ~TPlayersHostScope() { players_.SetHost(outer_); }
  TPlayersHostScope(const TPlayersHostScope&) = delete;
  TPlayersHostScope& operator=(const TPlayersHostScope&) = delete;

 private:
  TMoviePlayers& players_;
  IHost* outer_;
};

}  // namespace

std::int32_t TPlugin::HandleEvent(std::int32_t event, IHost* host) {
  if (host == nullptr) return event == heLoad ? 1 : 0;
  const TPlayersHostScope scope(players_, host);
  // Nothing may leave the entry point; a failure inside counts as a failed
  // load or as nothing done.
  try {
    switch (event) {
      case heLoad:
        return Load(*host);
      case heUnload:
        Unload(*host);
        break;
      case heIdle:
        players_.AnimateAll();
        break;
      case heWindowMessage:
        WindowMessage(*host);
        break;
      case heChatText:
        ChatText(*host);
        break;
      case heServerMessage:
      case heServerMessageAll: {
        const std::int32_t type = host->RecordWord(rwMessageType);
        if (event == heServerMessage && type == kCodeBlow) break;
        const std::int32_t length = host->RecordWord(rwMessageLength);
        // No forwarded item holds more than the EventBuffer.
        const std::vector<std::uint8_t> body =
            host->MessageBody(std::min<std::size_t>(std::size_t(std::max(0, length)), kEventBufferSize));
        forwarder_.ForwardEvent(type, host->RecordWord(rwMessageReference), length,
                                body.empty() ? nullptr : body.data(), body.size());
        break;
      }
      case heFileArrived:
        if (host->RecordWord(rwTextKind) == kTextKindFile) {
          forwarder_.ForwardText(kCodeFileDownloaded, host->RecordWord(rwTextValue), host->Text());
        }
        break;
      default:
        break;
    }
  } catch (...) {
    return event == heLoad ? 1 : 0;
  }
  return 0;
}

std::int32_t TPlugin::Load(IHost& host) {
  host.SetRecordWord(rwFlags, host.RecordWord(rwFlags) | kRegisteredFlagA);
  host.SetRecordWord(rwInterfaceVersion, kInterfaceVersion);
  host.SetRecordWord(rwRegistration, -1);
  host.SetRecordWord(rwFlags, host.RecordWord(rwFlags) | kRegisteredFlagB);
  host.SetRecordWord(rwTextStart, kPluginTag);
  if (endpoint_.CreateEndpoint(platform_.Modules.ProcessInstance(), TEndpointRole::HostSide) == 0) {
    return 1;
  }
  host.Log(kLoadBanner);
  return 0;
}

void TPlugin::Unload(IHost& host) {
  host.Log(kUnloadBanner);
  players_.CloseAllPlayers();
  endpoint_.CloseEndpoint();
}

void TPlugin::WindowMessage(IHost& host) {
  TWindowMessageInfo info;
  if (!host.WindowMessage(info)) return;
  const TWindowHandle hostWindow = players_.HostWindow();
  if (info.Kind != kWindowMessageKind || info.Message != kSizeMessage || hostWindow == 0 || info.Window != hostWindow) {
    return;
  }
  TRect room;
  host.GetRoomArea(room);
  players_.RelayoutPlayers(hostWindow, room);
}

void TPlugin::ChatText(IHost& host) {
  const std::int32_t kind = host.RecordWord(rwTextKind);
  forwarder_.ForwardText(kind, host.RecordWord(rwTextValue), host.Text());
  if (kind == kTextKindOutChat || kind == kTextKindCommandOnly) {
    RunCommands(host, players_, forwarder_);
  }
}

bool TPlugin::HandleWindowMessage(TWindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam, std::intptr_t& result) {
  try {
    return endpoint_.HandleMessage(window, message, wParam, lParam, result);
  } catch (...) {
    result = 0;
    return true;
  }
}

}  // namespace reelbridge
