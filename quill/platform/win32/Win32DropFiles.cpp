#include "quill/platform/win32/Win32DropFiles.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

namespace quill {

std::vector<std::string> DroppedFiles(HDROP drop) {
  std::vector<std::string> paths;
  const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = DragQueryFileA(drop, i, nullptr, 0);
    std::string path(length + 1, '\0');
    if (DragQueryFileA(drop, i, path.data(), length + 1) == 0) continue;
    path.resize(length);
    paths.push_back(path);
  }
  return paths;
}

HDROP MakeDropHandle(const std::vector<std::wstring>& paths) {
  if (paths.empty()) return nullptr;
  // The header, then each path with its terminating zero, then one more zero.
  std::size_t characters = 1;
  for (const auto& path : paths) characters += path.size() + 1;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + characters * sizeof(wchar_t));
  if (!block) return nullptr;
  auto* header = static_cast<DROPFILES*>(GlobalLock(block));
  if (!header) {
    GlobalFree(block);
    return nullptr;
  }
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  auto* out = reinterpret_cast<wchar_t*>(header + 1);
  for (const auto& path : paths) {
    std::memcpy(out, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
    out += path.size() + 1;
  }
  GlobalUnlock(block);
  return static_cast<HDROP>(block);
}

std::vector<std::wstring> CommandLineArguments() {
  std::vector<std::wstring> arguments;
  int count = 0;
  LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!words) return arguments;
  for (int i = 1; i < count; ++i) arguments.emplace_back(words[i]);
  LocalFree(words);
  return arguments;
}

}  // namespace quill
