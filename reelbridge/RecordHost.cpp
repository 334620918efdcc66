#include "reelbridge/RecordHost.h"

#include <vector>

namespace reelbridge {

std::uint32_t TRecordHost::Word(THostAddress address) const {
  std::uint32_t value = 0;
  if (record_ == 0 || !memory_.Read(address, &value, sizeof value)) return 0;
  return value;
}

std::int32_t TRecordHost::RecordWord(TRecordWord word) const { return std::int32_t(Word(record_ + word)); }

void TRecordHost::SetRecordWord(TRecordWord word, std::int32_t value) {
  if (record_ != 0) memory_.Write(record_ + word, &value, sizeof value);
}

std::vector<std::uint8_t> TRecordHost::MessageBody(std::size_t limit) const {
  const THostAddress body = Word(record_ + rpMessageBody);
  std::vector<std::uint8_t> bytes(body == 0 ? 0 : limit);
  if (!bytes.empty() && !memory_.Read(body, bytes.data(), bytes.size())) bytes.clear();
  return bytes;
}

// The block's kind decides what lies at its offset 16: only a window-message
// block holds a pointer there, so no other kind is followed further.
bool TRecordHost::WindowMessage(TWindowMessageInfo& info) const {
  const THostAddress block = Word(record_ + rpWindowMessageBlock);
  std::int32_t kind = 0;
  if (block == 0 || !memory_.Read(block, &kind, sizeof kind)) return false;
  info = TWindowMessageInfo{};
  info.Kind = kind;
  if (kind != kWindowMessageKind) return true;
  const THostAddress message = Word(block + kBlockMessageOffset);
  std::uint32_t fields[2] = {};
  if (message == 0 || !memory_.Read(message, fields, sizeof fields)) return false;
  info.Window = fields[0];
  info.Message = fields[1];
  return true;
}

std::string TRecordHost::ReadText(THostAddress address, std::size_t limit) const {
  std::string text;
  char c = 0;
  while (text.size() < limit && memory_.Read(address + THostAddress(text.size()), &c, 1) && c != '\0') {
    text.push_back(c);
  }
  return text;
}

std::string TRecordHost::Text() const {
  return record_ == 0 ? std::string() : ReadText(record_ + rpText, kHostTextLimit);
}

void TRecordHost::EmptyText() {
  const char nul = 0;
  if (record_ != 0) memory_.Write(record_ + rpText, &nul, 1);
}

std::int32_t TRecordHost::Call(std::int32_t service, std::int32_t argument, const void* pointer) {
  const THostAddress callback = Word(record_ + rpCallback);
  if (callback == 0) return 0;
  return memory_.CallService(callback, service, argument, const_cast<void*>(pointer));
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
  const THostAddress name = THostAddress(Call(hsUserName, userId, nullptr));
  std::uint8_t length = 0;
  if (name == 0 || !memory_.Read(name, &length, 1)) return std::nullopt;
  std::string characters(length, '\0');
  if (length > 0 && !memory_.Read(name + 1, characters.data(), length)) return std::nullopt;
  return characters;
}

std::optional<std::string> TRecordHost::LocalPath(const std::string& fileName) {
  constexpr std::int32_t kLocalPathArgument = 2;
  const THostAddress path = THostAddress(CallWithText(hsLocalPath, kLocalPathArgument, fileName));
  if (path == 0) return std::nullopt;
  std::string result = ReadText(path, kHostTextLimit);
  memory_.ReleaseText(path);
  return result;
}

void TRecordHost::GetRoomArea(TRect& rect) { Call(hsRoomArea, 0, &rect); }

}  // namespace reelbridge
