#pragma once
// Commands in the local user's chat lines: playmovie 'name' @x,y; blowall
// message; blow message; GetFile 'Kind|name'. A command that claims a line
// usually empties it, so that the client sends no chat line.
#include <cstdint>
#include <string>

#include "reelbridge/EventForwarder.h"
#include "reelbridge/Host.h"
#include "reelbridge/MoviePlayers.h"

namespace reelbridge {

// Buffer limits of the commands: longer names and digit runs are cut to fit.
constexpr std::size_t kMovieNameMax = 127;
constexpr std::size_t kDigitRunMax = 11;
constexpr std::size_t kFileNameMax = 79;

// Runs "playmovie", then "blowall"/"blow", then "GetFile" on the host's text;
// the first that claims it ends the chain. True when one claimed it.
bool RunCommands(IHost& host, TMoviePlayers& players, TEventForwarder& forwarder);

void PlayMovie(IHost& host, TMoviePlayers& players, const std::string& name, std::int32_t x, std::int32_t y);

}  // namespace reelbridge
