// libFuzzer target for the chat command chain on arbitrary text: the line the
// local user types reaches RunCommands as event 6. Built with the fakes of the
// unit tests (tests/reelbridge/fakes.h): a stand-in movie-player library, so
// "playmovie" runs through opening, loading and placing a player.
//
// Input: byte 0 selects the text kind (12 or 32) and whether files are
// present; the rest, up to its first NUL, is the text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fakes.h"
#include "reelbridge/ChatCommands.h"

using namespace reelbridge;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::uint8_t selector = data[0];
  std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  text = text.substr(0, text.find('\0'));

  fake::TFakeWorld world;
  if (selector & 0x01) world.host.DefaultPath = "C:\\movies\\file.dir";
  world.host.Room = TRect{10, 20, 600, 400};
  world.Load();
  world.StartMovieSide();
  world.host.Words[rwTextKind] = selector & 0x02 ? 12 : 32;
  world.host.TextValue = text;
  world.Event(heChatText);
  // A second line reuses or adds players and runs an idle step.
  world.Event(heChatText);
  world.Event(heIdle);
  for (const auto& request : world.host.FileRequests) {
    if (request.second.size() > kFileNameMax) __builtin_trap();
  }
  for (const auto& name : world.host.PathsAsked) {
    if (name.size() > text.size()) __builtin_trap();
  }
  world.Event(heUnload);
  return 0;
}
