#pragma once
// The client's address space as it is on 32-bit Windows: the plug-in runs in
// the client's process, so an address is a pointer. Reads and writes run
// under the fault guard, so a record field that points nowhere reads as
// nothing instead of taking the client down.
#include "reelbridge/HostMemory.h"

namespace reelbridge::win32 {

class TWin32HostMemory final : public IHostMemory {
 public:
  bool Read(THostAddress address, void* destination, std::size_t size) override;
  bool Write(THostAddress address, const void* source, std::size_t size) override;
  std::int32_t CallService(THostAddress callback, std::int32_t service, std::int32_t argument, void* pointer) override;
  void ReleaseText(THostAddress text) override;
};

}  // namespace reelbridge::win32
