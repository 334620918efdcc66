#pragma once
// IHost over the raw record the chat client passes with an entry-point call:
// 32-bit words at fixed offsets, pointers that are followed only where the
// event says there is something behind them, and the C-calling callback.
// Every byte goes through IHostMemory, so a record or pointer the client got
// wrong reads as zeros or nothing instead of faulting.
//
// One object per record: each entry-point call works on its own until it
// returns, so a call that re-enters the plug-in from inside a service cannot
// make the outer call act on the inner record.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "reelbridge/Host.h"
#include "reelbridge/HostMemory.h"

namespace reelbridge {

// Byte offsets not covered by TRecordWord: the pointers, and the text.
enum THostRecordPointer : int {
  rpCallback = 72,
  rpWindowMessageBlock = 76,
  rpMessageBody = 88,
  rpText = 92,
};

// Offsets inside the window-message block of event 5, and in the message.
constexpr int kBlockMessageOffset = 16;
constexpr int kMessageNumberOffset = 4;

// The text at the end of the record: its room is the client's choice; the
// plug-in reads no further than this in any case.
constexpr std::size_t kHostTextLimit = 4096;

class TRecordHost final : public IHost {
 public:
  TRecordHost(IHostMemory& memory, THostAddress record) : memory_(memory), record_(record) {}

  // Points the object at another record (the "latest record" the plug-in
  // keeps for its window procedure between calls).
  void SetRecord(THostAddress record) { record_ = record; }

  std::int32_t RecordWord(TRecordWord word) const override;
  void SetRecordWord(TRecordWord word, std::int32_t value) override;
  std::vector<std::uint8_t> MessageBody(std::size_t limit) const override;
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
  std::uint32_t Word(THostAddress address) const;
  std::string ReadText(THostAddress address, std::size_t limit) const;
  std::int32_t Call(std::int32_t service, std::int32_t argument, const void* pointer);
  std::int32_t CallWithText(std::int32_t service, std::int32_t argument, const std::string& text);

  IHostMemory& memory_;
  THostAddress record_;
};

}  // namespace reelbridge
