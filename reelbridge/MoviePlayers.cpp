#include "reelbridge/MoviePlayers.h"

#include <algorithm>
#include <new>

#include "reelbridge/StagePlacement.h"

namespace reelbridge {

TMoviePlayers::TMoviePlayers(IWindowSystem& windows, IModuleLoader& modules, IFaultGuard& faults)
    : windows_(windows), faults_(faults), library_(modules) {}

TMoviePlayers::~TMoviePlayers() { CloseAllPlayers(); }

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
  opened->Handle = library_.Open()(hostWindow_, 0, &ignored);
  return opened;
}

void TMoviePlayers::ClosePlayer(TMoviePlayer* player) {
  const auto found = std::find_if(list_.begin(), list_.end(), [player](const auto& p) { return p.get() == player; });
  if (found == list_.end()) return;
  std::unique_ptr<TMoviePlayer> closing = std::move(*found);
  list_.erase(found);
  for (auto entry = map_.begin(); entry != map_.end();) {
    entry = entry->second == player ? map_.erase(entry) : std::next(entry);
  }
  if (library_.IsLoaded()) library_.Close()(closing->Handle, 0);
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
  const std::int32_t result = library_.LoadFile()(player->Handle, path.c_str(), kLoadFileMode);
  library_.FileLoaded()(player->Handle);
  return result;
}

int TMoviePlayers::PlaceAndStart(const std::string& name, std::int32_t x, std::int32_t y) {
  TMoviePlayer* player = Find(name);
  if (player == nullptr) return 0;
  SetPosition(*player, x, y);
  StartPlayer(*player);
  return 1;
}

void TMoviePlayers::SetPosition(TMoviePlayer& player, std::int32_t x, std::int32_t y) {
  player.X = x;
  player.Y = y;
  const TRect area = roomRect_;
  PlaceStage(&player, hostWindow_, x, y, area);
}

void TMoviePlayers::StartPlayer(TMoviePlayer& player) {
  if (player.X >= 0 && player.Y >= 0) {
    PlaceStage(&player, hostWindow_, player.X, player.Y, roomRect_);
  } else {
    CentreStage(&player, hostWindow_);
  }
  if (library_.IsLoaded()) library_.StartAnimating()(player.Handle, kStartAnimatingFlags);
}

void TMoviePlayers::StageSize(TMoviePlayer& player, std::int32_t& width, std::int32_t& height) {
  TPlayerConfig config;
  library_.GetConfigInfo()(player.Handle, &config);
  width = std::int32_t(std::uint32_t(config.Words[2]) - std::uint32_t(config.Words[0]));
  height = std::int32_t(std::uint32_t(config.Words[3]) - std::uint32_t(config.Words[1]));
}

void TMoviePlayers::PlaceStage(TMoviePlayer* player, TWindowHandle window, std::int32_t x, std::int32_t y,
                               const TRect& area) {
  if (player == nullptr || !library_.IsLoaded() || library_.FileLoaded()(player->Handle) == 0) {
    return;
  }
  std::int32_t width = 0;
  std::int32_t height = 0;
  StageSize(*player, width, height);
  TRect stage = PlacedStage(area, x, y, width, height);
  library_.SetStage()(player->Handle, window, &stage, 0);
}

void TMoviePlayers::CentreStage(TMoviePlayer* player, TWindowHandle window) {
  if (player == nullptr || player->Handle == 0 || !library_.IsLoaded() || library_.FileLoaded()(player->Handle) == 0) {
    return;
  }
  std::int32_t width = 0;
  std::int32_t height = 0;
  StageSize(*player, width, height);
  TRect client;
  windows_.GetClientRectangle(window, client);
  TRect stage = CentredStage(client, width, height);
  library_.SetStage()(player->Handle, window, &stage, 0);
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
  if (!library_.IsLoaded()) return;
  for (std::size_t i = 0; i < list_.size(); ++i) {
    TMoviePlayer* player = list_[i].get();
    if (player->Handle == 0 || library_.FileLoaded()(player->Handle) == 0) continue;
    if (player->X >= 0 && player->Y >= 0) {
      PlaceStage(player, window, player->X, player->Y, rect);
    } else {
      CentreStage(player, window);
    }
  }
}

void TMoviePlayers::CloseAllPlayers() {
  while (!list_.empty()) ClosePlayer(list_.back().get());
  map_.clear();
}

}  // namespace reelbridge
