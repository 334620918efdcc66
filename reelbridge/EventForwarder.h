#pragma once
// Forwards a chat or server event to the movie side as a named IpcMessage
// built in the 370-byte EventBuffer:
//
//   0           "FileDownloaded"  l value; s text
//   8           "InChat"          l value; s text
//   12          "OutChat"         s text
//   'blow'      "BlowThruMsg"     l value; s body from byte 4, length - 3 bytes
//   'eprs'      "RLeave"          l value
//   'nprs'      "REnter"          l value
//   'usrN'      "NameChanged"     l value; s body from byte 1, length + 1 bytes
//
// Other codes send nothing; so does a missing peer.
#include <cstddef>
#include <cstdint>
#include <string>

#include "reelbridge/IpcEndpoint.h"

namespace reelbridge {

constexpr std::size_t kEventBufferSize = 370;

constexpr std::int32_t FourCharCode(char a, char b, char c, char d) {
  return std::int32_t((std::uint32_t(std::uint8_t(a)) << 24) | (std::uint32_t(std::uint8_t(b)) << 16) |
                      (std::uint32_t(std::uint8_t(c)) << 8) | std::uint32_t(std::uint8_t(d)));
}
constexpr std::int32_t kCodeBlow = FourCharCode('b', 'l', 'o', 'w');
constexpr std::int32_t kCodeLeave = FourCharCode('e', 'p', 'r', 's');
constexpr std::int32_t kCodeEnter = FourCharCode('n', 'p', 'r', 's');
constexpr std::int32_t kCodeNameChanged = FourCharCode('u', 's', 'r', 'N');

constexpr std::int32_t kCodeFileDownloaded = 0;
constexpr std::int32_t kCodeInChat = 8;
constexpr std::int32_t kCodeOutChat = 12;

class TEventForwarder {
 public:
  explicit TEventForwarder(TIpcEndpoint& endpoint) : endpoint_(endpoint) {}

  // ForwardEvent(code, value, length, data): `available` is how many bytes
  // at `data` may be read (a text with its NUL, or a message body's stated
  // length). Items never take bytes from beyond them: what an item reaches
  // past the data is sent as zero bytes, and an item too long for the 311
  // bytes of item data is cut to fit, its last byte a NUL.
  void ForwardEvent(std::int32_t code, std::int32_t value, std::int32_t length, const std::uint8_t* data,
                    std::size_t available);
  // A text event: the data is the text with its NUL.
  void ForwardText(std::int32_t code, std::int32_t value, const std::string& text);

  // The block of the last event built (for the tests).
  const std::uint8_t* EventBuffer() const { return eventBuffer_; }

 private:
  void Send(std::size_t usedLength);

  TIpcEndpoint& endpoint_;
  std::uint8_t eventBuffer_[kEventBufferSize] = {};
};

}  // namespace reelbridge
