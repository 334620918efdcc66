#pragma once
// Copies between this process and the process that owns a window.
#include "reelbridge/ProcessMemory.h"

namespace reelbridge::win32 {

class TWin32ProcessMemory final : public IProcessMemory {
 public:
  std::size_t ReadWindowProcess(TWindowHandle window, std::uintptr_t address, void* destination,
                                std::size_t size) override;
  std::size_t WriteWindowProcess(TWindowHandle window, std::uintptr_t address, const void* source,
                                 std::size_t size) override;
};

}  // namespace reelbridge::win32
