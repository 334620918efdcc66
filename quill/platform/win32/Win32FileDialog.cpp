#include "quill/platform/win32/Win32FileDialog.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace quill {

namespace {

// Room for the chosen path; the system reports a longer one as a failure,
// which the program treats like a cancel.
constexpr std::size_t kFileNameBufferSize = 1024;

// "desc|pattern|desc|pattern" becomes the system's list of zero-terminated
// strings ended by an empty one.
std::vector<char> SystemFilter(const std::string& filter) {
  std::vector<char> list(filter.begin(), filter.end());
  std::replace(list.begin(), list.end(), '|', '\0');
  list.push_back('\0');
  list.push_back('\0');
  return list;
}

}  // namespace

std::optional<std::string> TWin32FileDialog::ChooseFileToOpen(const std::string& filter,
                                                              const std::string& initialFileName) {
  const std::vector<char> systemFilter = SystemFilter(filter);
  std::vector<char> fileName(kFileNameBufferSize, '\0');
  std::copy_n(initialFileName.begin(), std::min(initialFileName.size(), kFileNameBufferSize - 1), fileName.begin());

  OPENFILENAMEA request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = reinterpret_cast<HWND>(owner_);
  request.lpstrFilter = systemFilter.data();
  request.nFilterIndex = 1;
  request.lpstrFile = fileName.data();
  request.nMaxFile = DWORD(fileName.size());
  // No OFN_NOCHANGEDIR: the chosen folder becomes the current directory, where
  // the exporters later write their temporary file.
  request.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
  if (!GetOpenFileNameA(&request)) return std::nullopt;
  return std::string(fileName.data());
}

}  // namespace quill
