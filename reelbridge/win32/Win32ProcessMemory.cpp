#include "reelbridge/win32/Win32ProcessMemory.h"

#include <windows.h>

namespace reelbridge::win32 {
namespace {

// The peer's process, open for the length of one transfer.
class TPeerProcess {
 public:
  explicit TPeerProcess(TWindowHandle window) {
    DWORD id = 0;
    if (window && GetWindowThreadProcessId(reinterpret_cast<HWND>(window), &id) && id)
      process_ = OpenProcess(kPeerProcessAccess, FALSE, id);
  }
  ~TPeerProcess() {
    if (process_) CloseHandle(process_);
  }
  TPeerProcess(const TPeerProcess&) = delete;
  TPeerProcess& operator=(const TPeerProcess&) = delete;
  HANDLE Get() const { return process_; }

 private:
  HANDLE process_ = nullptr;
};

// The system's count is trusted no further than the request.
std::size_t Transferred(BOOL ok, SIZE_T done, std::size_t size) { return ok && done <= size ? done : 0; }

}  // namespace

std::size_t TWin32ProcessMemory::ReadWindowProcess(TWindowHandle window, std::uintptr_t address, void* destination,
                                                   std::size_t size) {
  TPeerProcess peer(window);
  if (!peer.Get() || size == 0) return 0;
  SIZE_T done = 0;
  const BOOL ok = ReadProcessMemory(peer.Get(), reinterpret_cast<const void*>(address), destination, size, &done);
  return Transferred(ok, done, size);
}

std::size_t TWin32ProcessMemory::WriteWindowProcess(TWindowHandle window, std::uintptr_t address, const void* source,
                                                    std::size_t size) {
  TPeerProcess peer(window);
  if (!peer.Get() || size == 0) return 0;
  SIZE_T done = 0;
  const BOOL ok = WriteProcessMemory(peer.Get(), reinterpret_cast<void*>(address), source, size, &done);
  return Transferred(ok, done, size);
}

}  // namespace reelbridge::win32
