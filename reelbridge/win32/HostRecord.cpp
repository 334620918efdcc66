#include "reelbridge/win32/HostRecord.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace reelbridge::win32 {

std::int32_t TRecordHost::RecordWord(TRecordWord word) const {
  std::int32_t value = 0;
  if (record_) std::memcpy(&value, record_ + word, sizeof value);
  return value;
}

void TRecordHost::SetRecordWord(TRecordWord word, std::int32_t value) {
  if (record_) std::memcpy(record_ + word, &value, sizeof value);
}

std::uintptr_t TRecordHost::Pointer(THostRecordPointer at) const {
  std::uint32_t value = 0;
  if (record_) std::memcpy(&value, record_ + at, sizeof value);
  return value;
}

const std::uint8_t* TRecordHost::MessageBody() const {
  return reinterpret_cast<const std::uint8_t*>(Pointer(rpMessageBody));
}

bool TRecordHost::WindowMessage(TWindowMessageInfo& info) const {
  const auto* block = reinterpret_cast<const TWindowMessageBlock*>(Pointer(rpWindowMessageBlock));
  if (!block || !block->Message) return false;
  const auto* message = static_cast<const std::uint32_t*>(block->Message);
  info.Kind = block->Kind;
  info.Window = message[0];
  info.Message = message[1];
  return true;
}

std::string TRecordHost::Text() const {
  if (!record_) return {};
  const char* text = reinterpret_cast<const char*>(record_ + rpText);
  return std::string(text, strnlen(text, kHostTextLimit));
}

void TRecordHost::EmptyText() {
  if (record_) record_[rpText] = 0;
}

std::int32_t TRecordHost::Call(std::int32_t service, std::int32_t argument, const void* pointer) {
  const auto callback = reinterpret_cast<THostCallback>(Pointer(rpCallback));
  if (!callback) return 0;
  return callback(service, argument, const_cast<void*>(pointer));
}

// The client gets a private, writable copy of every text it is handed.
std::int32_t TRecordHost::CallWithText(std::int32_t service, std::int32_t argument, const std::string& text) {
  std::vector<char> copy(text.begin(), text.end());
  copy.push_back('\0');
  return Call(service, argument, copy.data());
}

void TRecordHost::Say(const std::string& text) { CallWithText(hsSay, 0, text); }

std::int32_t TRecordHost::RunScript(const std::string& script) { return CallWithText(hsRunScript, 0, script); }

void TRecordHost::Log(const std::string& line) { CallWithText(hsLog, 0, line); }

std::int32_t TRecordHost::MyId() { return Call(hsMyId, 0, nullptr); }

void TRecordHost::SendBlowThru(const std::uint8_t* packet, std::uint32_t length) {
  Call(hsBlowThru, std::int32_t(length), packet);
}

void TRecordHost::RequestFile(TMediaKind kind, const std::uint8_t* lengthPrefixedName) {
  Call(hsRequestFile, kind, lengthPrefixedName);
}

std::optional<std::string> TRecordHost::UserName(std::int32_t userId) {
  const auto* name =
      reinterpret_cast<const std::uint8_t*>(std::uintptr_t(std::uint32_t(Call(hsUserName, userId, nullptr))));
  if (!name) return std::nullopt;
  return std::string(reinterpret_cast<const char*>(name + 1), name[0]);
}

std::optional<std::string> TRecordHost::LocalPath(const std::string& fileName) {
  constexpr std::int32_t kLocalPathArgument = 2;
  auto* path =
      reinterpret_cast<char*>(std::uintptr_t(std::uint32_t(CallWithText(hsLocalPath, kLocalPathArgument, fileName))));
  if (!path) return std::nullopt;
  std::string result(path, strnlen(path, kHostTextLimit));
  ReleaseHostText(path);
  return result;
}

void TRecordHost::GetRoomArea(TRect& rect) { Call(hsRoomArea, 0, &rect); }

char* AllocateHostText(const std::string& text) {
  auto* copy = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, text.size() + 1));
  if (copy) std::memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

void ReleaseHostText(void* text) {
  if (text) HeapFree(GetProcessHeap(), 0, text);
}

}  // namespace reelbridge::win32
