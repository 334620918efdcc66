#pragma once
// The chat client as the plug-in sees it: the fields of the record it passes
// with every entry-point call, and the services of its callback.
//
// TRecordHost implements this over the raw 32-bit record and its C-calling
// callback. Each entry-point call hands the plug-in a host for its own record,
// valid until that call returns; a separate one, the latest record, serves
// the IPC window procedure between calls.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "reelbridge/Rect.h"
#include "reelbridge/WindowSystem.h"

namespace reelbridge {

// The plug-in's tag, written into the record at load and into every
// blow-thru packet: the characters "RbRg" as a four-character code.
constexpr std::int32_t kPluginTag = 0x52625267;

// 32-bit words of the record, named by their byte offset.
enum TRecordWord : int {
  rwFlags = 4,              // registration flags: the plug-in ORs in 0x20 and 0x40 at load
  rwRegistration = 8,       // set to -1 at load
  rwInterfaceVersion = 16,  // set to 4 at load
  rwTextKind = 24,          // events 6 and 9
  rwTextValue = 28,         // user id or media kind (events 6 and 9)
  rwMessageType = 32,       // four-character code (events 7 and 8)
  rwMessageReference = 36,  // events 7 and 8
  rwMessageLength = 40,     // body length in bytes (events 7 and 8)
  rwTextStart = 92,         // first four bytes of the text; the tag goes here at load
};

// Service codes of the callback.
enum THostService : std::int32_t {
  hsSay = 25,
  hsRunScript = 27,
  hsLog = 28,
  hsMyId = 32,
  hsBlowThru = 45,
  hsRequestFile = 47,
  hsUserName = 48,
  hsLocalPath = 49,
  hsRoomArea = 50,
};

// Media kinds of file requests and of "FileDownloaded".
enum TMediaKind : std::int32_t { mkPicture = 0, mkSound = 1, mkMovie = 2 };

// The kind of window-message block the plug-in acts on.
constexpr std::int32_t kWindowMessageKind = 3;

// What the window-message block of event 5 carries: its kind (the plug-in
// acts on 3), and the window and message number of the message it points at.
struct TWindowMessageInfo {
  std::int32_t Kind = 0;
  TWindowHandle Window = 0;
  std::uint32_t Message = 0;
};

class IHost {
 public:
  virtual ~IHost() = default;

  // ---- Record fields
  virtual std::int32_t RecordWord(TRecordWord word) const = 0;
  virtual void SetRecordWord(TRecordWord word, std::int32_t value) = 0;

  // A copy of the first `limit` bytes of the message body (pointer at offset
  // 88) of events 7 and 8; empty when there is no body or it cannot be read.
  virtual std::vector<std::uint8_t> MessageBody(std::size_t limit) const = 0;

  // Follows the window-message pointer at offset 76 (event 5) and reads the
  // block's kind; only a block of kind 3 is followed on to its message. False
  // when there is no block, or a kind-3 block has no message.
  virtual bool WindowMessage(TWindowMessageInfo& info) const = 0;

  // The NUL-terminated text at offset 92 (events 6 and 9), without its NUL.
  virtual std::string Text() const = 0;
  // Sets the first byte of the text to NUL, so the client sends no chat line.
  virtual void EmptyText() = 0;

  // ---- Callback services
  // 25: says the text in chat.
  virtual void Say(const std::string& text) = 0;
  // 27: runs the script and returns its result.
  virtual std::int32_t RunScript(const std::string& script) = 0;
  // 28: shows the line (which ends in a carriage return) in the client's log.
  virtual void Log(const std::string& line) = 0;
  // 32: the local user's id.
  virtual std::int32_t MyId() = 0;
  // 45: sends a blow-thru packet of `length` bytes (the argument is the length).
  virtual void SendBlowThru(const std::uint8_t* packet, std::uint32_t length) = 0;
  // 47: requests the file for download. `lengthPrefixedName` is a length byte
  // followed by that many characters, no NUL.
  virtual void RequestFile(TMediaKind kind, const std::uint8_t* lengthPrefixedName) = 0;
  // 48: the user's name (the characters of the client's length-prefixed
  // string), or nothing when the client returns null.
  virtual std::optional<std::string> UserName(std::int32_t userId) = 0;
  // 49 (argument 2): the local path of the file, or nothing when it is not
  // present. The implementation releases the client's allocation itself.
  virtual std::optional<std::string> LocalPath(const std::string& fileName) = 0;
  // 50: overwrites `rect` with the room area in client-window coordinates; a
  // client that does not answer leaves it as it was.
  virtual void GetRoomArea(TRect& rect) = 0;
};

}  // namespace reelbridge
