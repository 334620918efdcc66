#pragma once
// The record the chat client passes with every entry-point call, as it lies
// in memory on 32-bit Windows, and the plug-in's view of it (IHost). The
// record belongs to the client; the plug-in keeps the latest one and calls its
// callback also between entry-point calls.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "reelbridge/Host.h"

namespace reelbridge::win32 {

// The client's service callback: C calling convention, 32-bit values.
using THostCallback = std::int32_t(__cdecl*)(std::int32_t service, std::int32_t argument, void* pointer);

// The text at the end of the record: its room is the client's choice; the
// plug-in reads no further than this in any case.
constexpr std::size_t kHostTextLimit = 4096;
// The text room of records that our own stand-in client builds.
constexpr std::size_t kHostRecordTextSize = 1024;

// Byte offsets not covered by TRecordWord: the pointers.
enum THostRecordPointer : int {
  rpCallback = 72,
  rpWindowMessageBlock = 76,
  rpMessageBody = 88,
  rpText = 92,
};

// The record as a client lays it out (our stand-in client builds one).
struct THostRecord {
  std::int32_t Unused0;
  std::int32_t Flags;
  std::int32_t Registration;
  std::int32_t Unused12;
  std::int32_t InterfaceVersion;
  std::int32_t Unused20;
  std::int32_t TextKind;
  std::int32_t TextValue;
  std::int32_t MessageType;
  std::int32_t MessageReference;
  std::int32_t MessageLength;
  std::int32_t Unused44[7];
  THostCallback Callback;
  const void* WindowMessageBlock;
  std::int32_t Unused80[2];
  const std::uint8_t* MessageBody;
  char Text[kHostRecordTextSize];
};

// The block behind the window-message pointer: its kind, and at offset 16 a
// pointer to the message (window handle, then message number).
struct TWindowMessageBlock {
  std::int32_t Kind;
  std::int32_t Unused[3];
  const void* Message;
};

#if defined(_WIN32) && !defined(_WIN64)
static_assert(offsetof(THostRecord, TextKind) == rwTextKind && offsetof(THostRecord, MessageLength) == rwMessageLength);
static_assert(offsetof(THostRecord, Callback) == rpCallback &&
              offsetof(THostRecord, WindowMessageBlock) == rpWindowMessageBlock);
static_assert(offsetof(THostRecord, MessageBody) == rpMessageBody && offsetof(THostRecord, Text) == rpText);
static_assert(offsetof(TWindowMessageBlock, Message) == 16);
#endif

// IHost over the raw record; SetRecord replaces the record at every
// entry-point call. Services ask the callback of the current record; with no
// record or no callback they do nothing and answer 0 or nothing.
class TRecordHost final : public IHost {
 public:
  void SetRecord(void* record) { record_ = static_cast<std::uint8_t*>(record); }
  bool HasRecord() const { return record_ != nullptr; }

  std::int32_t RecordWord(TRecordWord word) const override;
  void SetRecordWord(TRecordWord word, std::int32_t value) override;
  const std::uint8_t* MessageBody() const override;
  bool WindowMessage(TWindowMessageInfo& info) const override;
  std::string Text() const override;
  void EmptyText() override;

  void Say(const std::string& text) override;
  std::int32_t RunScript(const std::string& script) override;
  void Log(const std::string& line) override;
  std::int32_t MyId() override;
  void SendBlowThru(const std::uint8_t* packet, std::uint32_t length) override;
  void RequestFile(TMediaKind kind, const std::uint8_t* lengthPrefixedName) override;
  std::optional<std::string> UserName(std::int32_t userId) override;
  std::optional<std::string> LocalPath(const std::string& fileName) override;
  void GetRoomArea(TRect& rect) override;

 private:
  std::uintptr_t Pointer(THostRecordPointer at) const;
  std::int32_t Call(std::int32_t service, std::int32_t argument, const void* pointer);
  std::int32_t CallWithText(std::int32_t service, std::int32_t argument, const std::string& text);

  std::uint8_t* record_ = nullptr;
};

// Allocation shared with the client for the paths of service 49: the
// process heap, which both sides reach whatever runtime they were built with.
char* AllocateHostText(const std::string& text);
void ReleaseHostText(void* text);

}  // namespace reelbridge::win32
