#pragma once
// The open movie players: at most five in opening order (the PlayerList), the
// map from movie name to player (case counting), their placement over the
// room area and their animation on the client's idle event.
//
// Every call into the library runs under the fault guard. A fault while
// animating skips that player for the idle step; a fault in any other call
// closes the player as far as the library still allows and forgets it, and
// the library goes with the last player as always.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "reelbridge/FaultGuard.h"
#include "reelbridge/Host.h"
#include "reelbridge/PlayerLibrary.h"
#include "reelbridge/WindowSystem.h"

namespace reelbridge {

constexpr std::size_t kMaxPlayers = 5;

struct TMoviePlayer {
  TPlayerHandle Handle = 0;
  std::int32_t X = -1;  // -1 and -1: no position set, the stage is centred
  std::int32_t Y = -1;
};

class TMoviePlayers {
 public:
  TMoviePlayers(IWindowSystem& windows, IModuleLoader& modules, IFaultGuard& faults);
  ~TMoviePlayers();

  // The host whose services OpenPlayer uses (the latest entry-point call's).
  void SetHost(IHost* host) { host_ = host; }
  IHost* Host() const { return host_; }

  TMoviePlayer* OpenPlayer();
  void ClosePlayer(TMoviePlayer* player);
  TMoviePlayer* PlayerForName(const std::string& name);
  std::int32_t LoadMovieFile(const std::string& name, const std::string& path);
  int PlaceAndStart(const std::string& name, std::int32_t x, std::int32_t y);
  void AnimateAll();
  void RelayoutPlayers(TWindowHandle window, const TRect& rect);
  void CloseAllPlayers();

  TWindowHandle HostWindow() const { return hostWindow_; }
  const TRect& RoomRect() const { return roomRect_; }
  std::size_t Count() const { return list_.size(); }
  bool LibraryLoaded() const { return library_.IsLoaded(); }

 private:
  TMoviePlayer* Find(const std::string& name) const;
  // The placing steps return false when the player faulted and is gone.
  bool SetPosition(TMoviePlayer& player, std::int32_t x, std::int32_t y);
  bool StartPlayer(TMoviePlayer& player);
  bool IsFileLoaded(TMoviePlayer& player, bool& loaded);
  bool PlaceStage(TMoviePlayer* player, TWindowHandle window, std::int32_t x, std::int32_t y, const TRect& area);
  bool CentreStage(TMoviePlayer* player, TWindowHandle window);
  bool SetStageFor(TMoviePlayer& player, TWindowHandle window, const TRect& area, bool centred, std::int32_t x,
                   std::int32_t y);
  // Runs a library call for `player`; on a fault the player is forgotten
  // (closed first unless `closeAfterFault` is false) and the result is false.
  template <class TCall>
  bool Guarded(TMoviePlayer& player, TCall& call, bool closeAfterFault = true);
  void Forget(TMoviePlayer* player, bool close);
  static void AnimateOne(void* context);

  IWindowSystem& windows_;
  IFaultGuard& faults_;
  IHost* host_ = nullptr;
  TPlayerLibrary library_;
  std::vector<std::unique_ptr<TMoviePlayer>> list_;
  std::map<std::string, TMoviePlayer*> map_;
  TWindowHandle hostWindow_ = 0;
  TRect roomRect_;
};

}  // namespace reelbridge
