#include "reelbridge/win32/HostRecord.h"

#include <windows.h>

#include <cstring>

namespace reelbridge::win32 {

char* AllocateHostText(const std::string& text) {
  auto* copy = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, text.size() + 1));
  if (copy) std::memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

void ReleaseHostText(void* text) {
  if (text) HeapFree(GetProcessHeap(), 0, text);
}

}  // namespace reelbridge::win32
