#include "reelbridge/MoviePlayers.h"

#include <algorithm>
#include <new>

#include "reelbridge/StagePlacement.h"

namespace reelbridge {

TMoviePlayers::TMoviePlayers(IWindowSystem& windows, IModuleLoader& modules, IFaultGuard& faults)
    : windows_(windows), faults_(faults), library_(modules) {}

TMoviePlayers::~TMoviePlayers() { CloseAllPlayers(); }

template <class TCall>
bool TMoviePlayers::Guarded(TMoviePlayer& player, TCall& call, bool closeAfterFault) {
  if (!CallFaulted(faults_, call)) return true;
  Forget(&player, closeAfterFault);
  return false;
}

TMoviePlayer* TMoviePlayers::OpenPlayer() {
  hostWindow_ = windows_.FindTopLevelWindow(kHostWindowClassName, nullptr);
  roomRect_ = TRect{};
  windows_.GetClientRectangle(hostWindow_, roomRect_);
  if (host_ != nullptr) host_->GetRoomArea(roomRect_);

  if (!library_.Load()) return nullptr;
  std::unique_ptr<TMoviePlayer> player;
  try {
    player = std::make_unique<TMoviePlayer>();
    if (list_.size() >= kMaxPlayers) return nullptr;
    list_.push_back(std::move(player));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  TMoviePlayer* opened = list_.back().get();
  std::uint16_t ignored = 0;
  const TMMPOpen open = library_.Open();
  const TWindowHandle window = hostWindow_;
  TPlayerHandle handle = 0;
  auto call = [&] { handle = open(window, 0, &ignored); };
  // A player that faulted while opening has no handle to close.
  if (!Guarded(*opened, call, false)) return nullptr;
  opened->Handle = handle;
  return opened;
}

void TMoviePlayers::ClosePlayer(TMoviePlayer* player) { Forget(player, true); }

void TMoviePlayers::Forget(TMoviePlayer* player, bool close) {
  const auto found = std::find_if(list_.begin(), list_.end(), [player](const auto& p) { return p.get() == player; });
  if (found == list_.end()) return;
  std::unique_ptr<TMoviePlayer> closing = std::move(*found);
  list_.erase(found);
  for (auto entry = map_.begin(); entry != map_.end();) {
    entry = entry->second == player ? map_.erase(entry) : std::next(entry);
  }
  if (close && library_.IsLoaded()) {
    const TMMPClose closeEntry = library_.Close();
    const TPlayerHandle handle = closing->Handle;
    auto call = [&] { closeEntry(handle, 0); };
    // A fault here leaves nothing more to try: the player is forgotten anyway.
    CallFaulted(faults_, call);
  }
  closing->Handle = 0;
  if (list_.empty()) library_.Release();
}

TMoviePlayer* TMoviePlayers::Find(const std::string& name) const {
  const auto found = map_.find(name);
  return found == map_.end() ? nullptr : found->second;
}

TMoviePlayer* TMoviePlayers::PlayerForName(const std::string& name) {
  if (TMoviePlayer* player = Find(name)) return player;
  TMoviePlayer* player = OpenPlayer();
  if (player != nullptr) map_[name] = player;
  return player;
}

std::int32_t TMoviePlayers::LoadMovieFile(const std::string& name, const std::string& path) {
  TMoviePlayer* player = Find(name);
  if (player == nullptr || !library_.IsLoaded()) return 0;
  const TMMPLoadFile load = library_.LoadFile();
  const TMMPFileLoaded loaded = library_.FileLoaded();
  const TPlayerHandle handle = player->Handle;
  const char* file = path.c_str();
  std::int32_t result = 0;
  auto call = [&] {
    result = load(handle, file, kLoadFileMode);
    loaded(handle);
  };
  return Guarded(*player, call) ? result : 0;
}

int TMoviePlayers::PlaceAndStart(const std::string& name, std::int32_t x, std::int32_t y) {
  TMoviePlayer* player = Find(name);
  if (player == nullptr) return 0;
  if (!SetPosition(*player, x, y)) return 0;
  return StartPlayer(*player) ? 1 : 0;
}

bool TMoviePlayers::SetPosition(TMoviePlayer& player, std::int32_t x, std::int32_t y) {
  player.X = x;
  player.Y = y;
  const TRect area = roomRect_;
  return PlaceStage(&player, hostWindow_, x, y, area);
}

bool TMoviePlayers::StartPlayer(TMoviePlayer& player) {
  const bool placed = player.X >= 0 && player.Y >= 0 ? PlaceStage(&player, hostWindow_, player.X, player.Y, roomRect_)
                                                     : CentreStage(&player, hostWindow_);
  if (!placed) return false;
  if (!library_.IsLoaded()) return true;
  const TMMPStartAnimating start = library_.StartAnimating();
  const TPlayerHandle handle = player.Handle;
  auto call = [&] { start(handle, kStartAnimatingFlags); };
  return Guarded(player, call);
}

// False when the player faulted and is gone; `loaded` is the library's answer.
bool TMoviePlayers::IsFileLoaded(TMoviePlayer& player, bool& loaded) {
  loaded = false;
  if (!library_.IsLoaded()) return true;
  const TMMPFileLoaded fileLoaded = library_.FileLoaded();
  const TPlayerHandle handle = player.Handle;
  auto call = [&] { loaded = fileLoaded(handle) != 0; };
  return Guarded(player, call);
}

// Reads the movie's stage size and sets the stage: at (x, y) from the area's
// top-left corner, or centred in the window's client area.
bool TMoviePlayers::SetStageFor(TMoviePlayer& player, TWindowHandle window, const TRect& area, bool centred,
                                std::int32_t x, std::int32_t y) {
  const TMMPGetConfigInfo configInfo = library_.GetConfigInfo();
  const TPlayerHandle handle = player.Handle;
  TPlayerConfig config;
  auto readConfig = [&] { configInfo(handle, &config); };
  if (!Guarded(player, readConfig)) return false;
  const std::int32_t width = std::int32_t(std::uint32_t(config.Words[2]) - std::uint32_t(config.Words[0]));
  const std::int32_t height = std::int32_t(std::uint32_t(config.Words[3]) - std::uint32_t(config.Words[1]));
  TRect stage;
  if (centred) {
    TRect client;
    windows_.GetClientRectangle(window, client);
    stage = CentredStage(client, width, height);
  } else {
    stage = PlacedStage(area, x, y, width, height);
  }
  const TMMPSetStage setStage = library_.SetStage();
  auto place = [&] { setStage(handle, window, &stage, 0); };
  return Guarded(player, place);
}

bool TMoviePlayers::PlaceStage(TMoviePlayer* player, TWindowHandle window, std::int32_t x, std::int32_t y,
                               const TRect& area) {
  bool loaded = false;
  if (player == nullptr || !library_.IsLoaded()) return true;
  if (!IsFileLoaded(*player, loaded)) return false;
  return !loaded || SetStageFor(*player, window, area, false, x, y);
}

bool TMoviePlayers::CentreStage(TMoviePlayer* player, TWindowHandle window) {
  bool loaded = false;
  if (player == nullptr || player->Handle == 0 || !library_.IsLoaded()) return true;
  if (!IsFileLoaded(*player, loaded)) return false;
  return !loaded || SetStageFor(*player, window, TRect{}, true, 0, 0);
}

namespace {

struct TAnimateCall {
  const TPlayerLibrary* Library;
  TPlayerHandle Handle;
};

}  // namespace

void TMoviePlayers::AnimateOne(void* context) {
  const TAnimateCall& call = *static_cast<const TAnimateCall*>(context);
  if (call.Library->FileLoaded()(call.Handle) != 0 && call.Library->AnimStopped()(call.Handle) == 0) {
    call.Library->Animate()(call.Handle);
  }
}

void TMoviePlayers::AnimateAll() {
  if (!library_.IsLoaded()) return;
  // By index: a call into the library may let the client re-enter the plug-in
  // and open a player, which moves the list's storage.
  for (std::size_t i = 0; i < list_.size(); ++i) {
    TAnimateCall call{&library_, list_[i]->Handle};
    // A fault skips this player for this idle step; the others still run.
    faults_.CallFaulted(&TMoviePlayers::AnimateOne, &call);
  }
}

void TMoviePlayers::RelayoutPlayers(TWindowHandle window, const TRect& rect) {
  roomRect_ = rect;
  for (std::size_t i = 0; i < list_.size() && library_.IsLoaded();) {
    TMoviePlayer* player = list_[i].get();
    bool loaded = false;
    bool kept = player->Handle == 0 || (IsFileLoaded(*player, loaded) && !loaded);
    if (player->Handle != 0 && loaded) {
      kept = player->X >= 0 && player->Y >= 0 ? PlaceStage(player, window, player->X, player->Y, rect)
                                              : CentreStage(player, window);
    }
    // A player that faulted is gone and the next one has moved into its place.
    if (kept) ++i;
  }
}

void TMoviePlayers::CloseAllPlayers() {
  while (!list_.empty()) ClosePlayer(list_.back().get());
  map_.clear();
}

}  // namespace reelbridge
