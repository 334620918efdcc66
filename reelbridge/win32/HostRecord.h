#pragma once
// The record the chat client passes with every entry-point call, as it lies
// in memory on 32-bit Windows (our stand-in client and the tests build it;
// the plug-in reads it through TRecordHost), and the allocation of the paths
// that service 49 hands over.
#include <cstddef>
#include <cstdint>
#include <string>

#include "reelbridge/RecordHost.h"

namespace reelbridge::win32 {

// The client's service callback: C calling convention, 32-bit values.
using THostCallback = std::int32_t(__cdecl*)(std::int32_t service, std::int32_t argument, void* pointer);

// The text room of records that our own stand-in client builds.
constexpr std::size_t kHostRecordTextSize = 1024;

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
static_assert(offsetof(TWindowMessageBlock, Message) == kBlockMessageOffset);
#endif

// Allocation shared with the client for the paths of service 49: the
// process heap, which both sides reach whatever runtime they were built with.
char* AllocateHostText(const std::string& text);
void ReleaseHostText(void* text);

}  // namespace reelbridge::win32
