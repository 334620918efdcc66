// libFuzzer target for the record the chat client passes with an entry-point
// call: arbitrary words, pointers, kinds, lengths and texts, read through
// TRecordHost over a fake 32-bit address space and handled by the plug-in on
// the fakes of the unit tests (tests/reelbridge/fakes.h). Pointers may lead to
// the fuzzed regions below or anywhere else; nothing may be read outside a
// region, which the sanitizers and the address space's own checks see.
//
// Input: byte 0 the event (modulo 10); byte 1 which pointers are aimed at
// the regions instead of taken as they stand; then the 1024-byte record, the
// window-message block (20 bytes), the message (8 bytes), and the rest, which
// is both the message body and what services 48 and 49 return.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "fake_host_memory.h"
#include "fakes.h"
#include "reelbridge/RecordHost.h"

namespace {

using namespace reelbridge;

constexpr THostAddress kRecord = 0x10000;
constexpr std::size_t kRecordSize = 1024;
constexpr THostAddress kBlock = 0x20000;
constexpr std::size_t kBlockSize = 20;
constexpr THostAddress kMessage = 0x30000;
constexpr std::size_t kMessageSize = 8;
constexpr THostAddress kRest = 0x40000;

std::vector<std::uint8_t> Take(const std::uint8_t*& data, std::size_t& size, std::size_t wanted) {
  const std::size_t taken = std::min(size, wanted);
  std::vector<std::uint8_t> bytes(data, data + taken);
  bytes.resize(wanted, 0);
  data += taken;
  size -= taken;
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::int32_t event = data[0] % 10;
  const std::uint8_t aim = data[1];
  data += 2;
  size -= 2;

  fake::TFakeHostMemory memory;
  memory.Map(kRecord, Take(data, size, kRecordSize));
  memory.Map(kBlock, Take(data, size, kBlockSize));
  memory.Map(kMessage, Take(data, size, kMessageSize));
  if (size > 0) memory.Map(kRest, std::vector<std::uint8_t>(data, data + size));
  if (aim & 0x01) memory.SetWord(kRecord + rpCallback, memory.CallbackAddress);
  if (aim & 0x02) memory.SetWord(kRecord + rpWindowMessageBlock, kBlock);
  if (aim & 0x04) memory.SetWord(kBlock + kBlockMessageOffset, kMessage);
  if (aim & 0x08) memory.SetWord(kRecord + rpMessageBody, kRest);
  memory.Services = [aim](std::int32_t service, std::int32_t, void* pointer) -> std::int32_t {
    if (service == hsRoomArea && pointer) *static_cast<TRect*>(pointer) = TRect{10, 20, 600, 400};
    if (service == hsUserName || service == hsLocalPath) return aim & 0x10 ? std::int32_t(kRest) : 0;
    return 0;
  };

  fake::TFakeWorld world;
  world.Load();
  world.StartMovieSide();
  TRecordHost host(memory, kRecord);
  world.plugin.SetCurrentHost(&host);
  world.plugin.HandleEvent(event, &host);
  // A second event on the same record, so one that opened a player is placed
  // again by a resize and animated.
  world.plugin.HandleEvent(aim & 0x20 ? heWindowMessage : heIdle, &host);
  if (host.Text().size() > kHostTextLimit) __builtin_trap();
  world.plugin.SetCurrentHost(&world.host);
  return 0;
}
