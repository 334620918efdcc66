#include "reelbridge/ChatCommands.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <vector>

#include "reelbridge/BlowThru.h"

namespace reelbridge {
namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool StartsWithNoCase(const std::string& text, const char* prefix) {
  const std::string word = prefix;
  return text.size() >= word.size() && Lower(text.substr(0, word.size())) == Lower(word);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The next run of digits from `at`, as a number; `at` moves behind the run.
// The value of an over-long run saturates instead of overflowing; a missing
// run gives 0.
std::int32_t NextNumber(const std::string& text, std::size_t& at) {
  while (at < text.size() && !IsDigit(text[at])) ++at;
  std::int64_t value = 0;
  for (; at < text.size() && IsDigit(text[at]); ++at) {
    value = std::min<std::int64_t>(value * 10 + (text[at] - '0'), std::numeric_limits<std::int32_t>::max());
  }
  return std::int32_t(value);
}

bool RunPlayMovie(IHost& host, TMoviePlayers& players, const std::string& text) {
  if (!StartsWithNoCase(text, "playmovie")) return false;
  const std::string rest = text.substr(9);
  std::string name;
  const std::size_t open = rest.find('\'');
  const std::size_t close = open == std::string::npos ? open : rest.find('\'', open + 1);
  if (close != std::string::npos) name = rest.substr(open + 1, close - open - 1);
  // The name buffer holds 127 characters; a longer name is cut there.
  name.resize(std::min(name.size(), kMovieNameMax));
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::size_t at = text.find('@');
  if (at != std::string::npos) {
    x = NextNumber(text, at);
    y = NextNumber(text, at);
  }
  PlayMovie(host, players, name, x, y);
  host.EmptyText();
  return true;
}

bool RunBlow(IHost& host, const std::string& text) {
  std::int32_t count = 0;
  std::string message;
  if (StartsWithNoCase(text, "blowall")) {
    count = -1;
    message = text.substr(7);
  } else if (StartsWithNoCase(text, "blow")) {
    message = text.substr(4);
  } else {
    return false;
  }
  if (!message.empty()) {
    BlowThru(host, count, nullptr, message.c_str(), message.size() + 1);
    host.EmptyText();
  }
  return true;
}

TMediaKind KindOf(const std::string& word) {
  if (word == "movie") return mkMovie;
  if (word == "sound") return mkSound;
  return mkPicture;
}

bool RunGetFile(IHost& host, TEventForwarder& forwarder, const std::string& text) {
  const std::string lower = Lower(text);
  const std::string word = "getfile ";
  // Only a line that starts with the word is a request; one that merely
  // mentions it later is chat.
  if (lower.compare(0, word.size(), word) != 0) return false;
  std::string name = lower.substr(word.size());
  if (name.empty()) return false;

  std::string kindWord;
  const std::size_t bar = lower.find('|');
  if (bar != std::string::npos && bar > word.size()) {
    const std::size_t first = lower.find('\'');
    const std::size_t last = lower.rfind('\'');
    if (first != std::string::npos) {
      if (first < bar) kindWord = lower.substr(first + 1, bar - first - 1);
      // The name ends at the last apostrophe; when that one lies before the
      // bar there is no name at all.
      name = last > bar ? lower.substr(bar + 1, last - bar - 1) : std::string();
    }
  }
  // A request without a name ends silently, the text emptied as for any
  // claimed request.
  if (name.empty()) {
    host.EmptyText();
    return true;
  }
  const TMediaKind kind = KindOf(kindWord);

  if (const auto path = host.LocalPath(name)) {
    forwarder.ForwardText(kCodeFileDownloaded, kind, *path);
  } else {
    // An 80-byte block: the length byte and at most 79 characters.
    const std::size_t length = std::min(name.size(), kFileNameMax);
    std::vector<std::uint8_t> request(1 + length);
    request[0] = std::uint8_t(length);
    std::copy(name.begin(), name.begin() + std::ptrdiff_t(length), request.begin() + 1);
    host.RequestFile(kind, request.data());
  }
  host.EmptyText();
  return true;
}

}  // namespace

void PlayMovie(IHost& host, TMoviePlayers& players, const std::string& name, std::int32_t x, std::int32_t y) {
  const auto path = host.LocalPath(name);
  if (!path || path->empty() || name.empty()) return;
  players.PlayerForName(name);
  if (players.LoadMovieFile(name, *path) != 0) players.PlaceAndStart(name, x, y);
}

bool RunCommands(IHost& host, TMoviePlayers& players, TEventForwarder& forwarder) {
  const std::string text = host.Text();
  return RunPlayMovie(host, players, text) || RunBlow(host, text) || RunGetFile(host, forwarder, text);
}

}  // namespace reelbridge
