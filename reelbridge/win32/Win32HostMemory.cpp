#include "reelbridge/win32/Win32HostMemory.h"

#include <cstring>

#include "reelbridge/win32/FaultGuard.h"
#include "reelbridge/win32/HostRecord.h"

namespace reelbridge::win32 {
namespace {

void* At(THostAddress address) { return reinterpret_cast<void*>(std::uintptr_t(address)); }

}  // namespace

bool TWin32HostMemory::Read(THostAddress address, void* destination, std::size_t size) {
  if (address == 0) return false;
  auto copy = [&] { std::memcpy(destination, At(address), size); };
  return RunGuarded(copy);
}

bool TWin32HostMemory::Write(THostAddress address, const void* source, std::size_t size) {
  if (address == 0) return false;
  auto copy = [&] { std::memcpy(At(address), source, size); };
  return RunGuarded(copy);
}

// The client's own code: not guarded, because a service may call the plug-in
// again, and what runs inside must unwind normally.
std::int32_t TWin32HostMemory::CallService(THostAddress callback, std::int32_t service, std::int32_t argument,
                                           void* pointer) {
  return reinterpret_cast<THostCallback>(At(callback))(service, argument, pointer);
}

void TWin32HostMemory::ReleaseText(THostAddress text) { ReleaseHostText(At(text)); }

}  // namespace reelbridge::win32
