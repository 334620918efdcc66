#pragma once
// Reading and writing the memory of the process that owns a window: the way an
// IPC message block, which stays in its sender's memory, is copied across.
#include <cstddef>
#include <cstdint>

#include "reelbridge/WindowSystem.h"

namespace reelbridge {

// The access asked for when opening the peer's process: the standard rights
// with reading and writing of its memory.
constexpr std::uint32_t kPeerProcessAccess = 0x000F0030;

class IProcessMemory {
 public:
  virtual ~IProcessMemory() = default;
  // Opens the process of `window` (access kPeerProcessAccess), copies `size`
  // bytes at `address` in it into `destination`, closes it. Returns the number
  // of bytes copied, or 0 when the process cannot be opened or the read fails.
  virtual std::size_t ReadWindowProcess(TWindowHandle window, std::uintptr_t address, void* destination,
                                        std::size_t size) = 0;
  // The same in the other direction: `size` bytes of `source` to `address`.
  virtual std::size_t WriteWindowProcess(TWindowHandle window, std::uintptr_t address, const void* source,
                                         std::size_t size) = 0;
};

}  // namespace reelbridge
