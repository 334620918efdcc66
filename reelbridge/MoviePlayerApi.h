#pragma once
// The entry points of the movie-player library "M5IF32.DLL" as the plug-in
// calls them: their names, in the order they are resolved, and their types.
// All of them use the standard-call convention on 32-bit Windows; elsewhere
// (the native tests) they are plain functions.
#include <cstdint>

#include "reelbridge/Rect.h"
#include "reelbridge/WindowSystem.h"

#if defined(_WIN32)
#define REELBRIDGE_STDCALL __stdcall
#else
#define REELBRIDGE_STDCALL
#endif

namespace reelbridge {

constexpr const char* kPlayerLibraryName = "M5IF32.DLL";

// The library's player handle, a 32-bit value that only the library interprets.
using TPlayerHandle = std::int32_t;

// The 48-byte configuration record; its first four words are the movie's stage
// rectangle (left, top, right, bottom).
struct TPlayerConfig {
  std::int32_t Words[12] = {};
};
static_assert(sizeof(TPlayerConfig) == 48, "the configuration record is 48 bytes");

// Values the plug-in hands over without interpreting them.
constexpr std::uint32_t kStartAnimatingFlags = 0x51000000;
constexpr std::int32_t kLoadFileMode = 1028;

enum TPlayerEntry : int {
  peOpen,
  peStartAnimating,
  peClose,
  peFreeFile,
  peStopAnimating,
  peError,
  peAnimStopped,
  peAnimate,
  peFileLoaded,
  peLoadFile,
  peUpdate,
  peGoToFrame,
  peSetStage,
  peGetStage,
  peGetConfigInfo,
  kPlayerEntryCount
};

// Resolution order; a library lacking any of them is refused, used or not.
constexpr const char* kPlayerEntryNames[kPlayerEntryCount] = {
    "MMPOpen",   "MMPStartAnimating", "MMPClose",    "MMPFreeFile",      "MMPStopAnimating",
    "MMPError",  "MMPAnimStopped",    "MMPAnimate",  "_MMPFileLoaded@4", "MMPLoadFile",
    "MMPUpdate", "MMPGoToFrame",      "MMPSetStage", "MMPGetStage",      "MMPGetConfigInfo"};

// Types of the entry points the plug-in calls. Window handles are passed as
// the system's handle values (32 bits on the shipped platform).
using TMMPOpen = TPlayerHandle(REELBRIDGE_STDCALL*)(TWindowHandle window, std::int32_t zero, std::uint16_t* word);
using TMMPStartAnimating = std::int32_t(REELBRIDGE_STDCALL*)(TPlayerHandle player, std::uint32_t flags);
using TMMPClose = std::int32_t(REELBRIDGE_STDCALL*)(TPlayerHandle player, std::int32_t zero);
using TMMPAnimStopped = std::int32_t(REELBRIDGE_STDCALL*)(TPlayerHandle player);
using TMMPAnimate = std::int32_t(REELBRIDGE_STDCALL*)(TPlayerHandle player);
using TMMPFileLoaded = std::int32_t(REELBRIDGE_STDCALL*)(TPlayerHandle player);
using TMMPLoadFile = std::int32_t(REELBRIDGE_STDCALL*)(TPlayerHandle player, const char* path, std::int32_t mode);
using TMMPSetStage = std::int32_t(REELBRIDGE_STDCALL*)(TPlayerHandle player, TWindowHandle window, TRect* stage,
                                                       std::int32_t zero);
using TMMPGetConfigInfo = std::int32_t(REELBRIDGE_STDCALL*)(TPlayerHandle player, TPlayerConfig* config);

}  // namespace reelbridge
