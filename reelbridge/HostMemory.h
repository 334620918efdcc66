#pragma once
// The chat client's 32-bit address space as the plug-in reaches it: the
// record, the blocks and texts it points at, and the service callback. On
// Windows an address is simply a pointer; the native tests and the fuzz
// target map addresses onto buffers of their own, so a record can point
// anywhere and every read stays checked.
#include <cstddef>
#include <cstdint>

namespace reelbridge {

// An address in the client's process (32-bit Windows).
using THostAddress = std::uint32_t;

class IHostMemory {
 public:
  virtual ~IHostMemory() = default;
  // Copies `size` bytes at `address`; false, with nothing copied, when the
  // range cannot be read.
  virtual bool Read(THostAddress address, void* destination, std::size_t size) = 0;
  // Copies `size` bytes to `address`; false when the range cannot be written.
  virtual bool Write(THostAddress address, const void* source, std::size_t size) = 0;
  // Calls the client's callback at `callback` (C calling convention).
  virtual std::int32_t CallService(THostAddress callback, std::int32_t service, std::int32_t argument,
                                   void* pointer) = 0;
  // Releases a path that service 49 returned (the allocator both sides share).
  virtual void ReleaseText(THostAddress text) = 0;
};

}  // namespace reelbridge
