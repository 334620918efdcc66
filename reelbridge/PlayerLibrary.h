#pragma once
// The movie-player library, loaded by name with the first player and released
// with the last, and its 15 entry points.
#include "reelbridge/ModuleLoader.h"
#include "reelbridge/MoviePlayerApi.h"

namespace reelbridge {

class TPlayerLibrary {
 public:
  explicit TPlayerLibrary(IModuleLoader& modules) : modules_(modules) {}
  ~TPlayerLibrary() { Release(); }
  TPlayerLibrary(const TPlayerLibrary&) = delete;
  TPlayerLibrary& operator=(const TPlayerLibrary&) = delete;

  // Loads the library unless loaded and resolves all entry points in order.
  // False when it cannot be loaded (nothing is kept) or lacks an entry point
  // (it is released again).
  bool Load();
  void Release();
  bool IsLoaded() const { return module_ != 0; }

  TMMPOpen Open() const { return As<TMMPOpen>(peOpen); }
  TMMPStartAnimating StartAnimating() const { return As<TMMPStartAnimating>(peStartAnimating); }
  TMMPClose Close() const { return As<TMMPClose>(peClose); }
  TMMPAnimStopped AnimStopped() const { return As<TMMPAnimStopped>(peAnimStopped); }
  TMMPAnimate Animate() const { return As<TMMPAnimate>(peAnimate); }
  TMMPFileLoaded FileLoaded() const { return As<TMMPFileLoaded>(peFileLoaded); }
  TMMPLoadFile LoadFile() const { return As<TMMPLoadFile>(peLoadFile); }
  TMMPSetStage SetStage() const { return As<TMMPSetStage>(peSetStage); }
  TMMPGetConfigInfo GetConfigInfo() const { return As<TMMPGetConfigInfo>(peGetConfigInfo); }

 private:
  template <typename T>
  T As(TPlayerEntry entry) const {
    return reinterpret_cast<T>(entries_[entry]);
  }

  IModuleLoader& modules_;
  TModuleHandle module_ = 0;
  TProcAddress entries_[kPlayerEntryCount] = {};
};

}  // namespace reelbridge
