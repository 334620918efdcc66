#include "reelbridge/BlowThru.h"

#include <cstring>
#include <new>
#include <vector>

#include "reelbridge/ByteOrder.h"

namespace reelbridge {

int BlowThru(IHost& host, std::int32_t count, const std::uint8_t* ids, const void* data, std::size_t length) {
  const std::uint64_t idBytes = count > 0 ? std::uint64_t(count) * 4 : 0;
  const std::uint64_t total = 12 + idBytes + length;
  if (total > 0x7FFFFFFF) return 0;
  std::vector<std::uint8_t> packet;
  try {
    packet.assign(std::size_t(total), 0);
  } catch (const std::bad_alloc&) {
    return 0;
  }
  WriteLe32(packet.data() + 4, std::uint32_t(count));
  if (idBytes > 0) std::memcpy(packet.data() + 8, ids, std::size_t(idBytes));
  WriteLe32(packet.data() + 8 + idBytes, std::uint32_t(kPluginTag));
  if (length > 0) std::memcpy(packet.data() + 12 + idBytes, data, length);
  host.SendBlowThru(packet.data(), std::uint32_t(total));
  return 1;
}

}  // namespace reelbridge
