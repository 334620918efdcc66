// libFuzzer target for what the movie side sends into the chat client's
// process: a block read into the 1024-byte ReceiveBuffer and handled as a
// request, and the server-message bodies the plug-in forwards. Built with the
// fakes of the unit tests (tests/reelbridge/fakes.h); both processes are this
// one, so every byte read or written across is checked by the sanitizers.
//
// Input: byte 0 selects the case; bytes 1-2 the byte count the sender claims
// (up to 2047); the rest is the block or the body.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "fakes.h"

namespace {

using namespace reelbridge;

constexpr std::int32_t kCodes[] = {kCodeBlow,           kCodeNameChanged, kCodeLeave,   kCodeEnter,
                                   kCodeFileDownloaded, kCodeInChat,      kCodeOutChat, 0x41424344};

void Request(fake::TFakeWorld& world, std::size_t claimed, const std::uint8_t* data, std::size_t size) {
  // The sender's memory: the input, then zeros up to the largest claim.
  std::vector<std::uint8_t> block(2048, 0);
  std::memcpy(block.data(), data, std::min(size, block.size()));
  world.SendRequest(block.data(), claimed);
  // The reply went back through the movie side's read of the host's buffer.
  for (const auto& reply : world.received) {
    if (reply.size() > kReceiveBufferSize) __builtin_trap();
  }
}

void Forward(fake::TFakeWorld& world, std::uint8_t selector, std::size_t claimed, const std::uint8_t* data,
             std::size_t size) {
  world.host.Words[rwMessageType] = kCodes[selector % (sizeof kCodes / sizeof kCodes[0])];
  world.host.Words[rwMessageReference] = 7;
  // The stated length never exceeds the body the client holds.
  world.host.Words[rwMessageLength] = std::int32_t(std::min(claimed, size));
  world.host.Body.assign(data, data + std::min(claimed, size));
  world.Event(selector & 0x80 ? heServerMessageAll : heServerMessage);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const std::uint8_t selector = data[0];
  const std::size_t claimed = (std::size_t(data[1]) | (std::size_t(data[2]) << 8)) % 2048;
  data += 3;
  size -= 3;

  fake::TFakeWorld world;
  world.host.Names[5] = std::string(300, 'n');
  world.host.Names[6] = std::string("a\0b", 3);
  world.Load();
  world.StartMovieSide();
  if (selector & 0x40) {
    Forward(world, selector, claimed, data, size);
  } else {
    Request(world, claimed, data, size);
    // The same block once more through a failing transfer: nothing stale may act.
    if (selector & 0x01) {
      const std::size_t said = world.host.Said.size();
      world.memory.FailTransfers = true;
      Request(world, claimed, data, size);
      if (world.host.Said.size() != said) __builtin_trap();
    }
  }
  return 0;
}
