#include "reelbridge/EventForwarder.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "reelbridge/IpcMessage.h"

namespace reelbridge {
namespace {

struct TEventRow {
  std::int32_t Code;
  const char* Name;
  bool HasValue;
  // The `s` item: none, the NUL-terminated text, or a stretch of the data
  // starting at `TextStart` with `length + TextExtra` bytes.
  enum { None, Text, Stretch } TextItem;
  std::int64_t TextStart;
  std::int64_t TextExtra;
};

constexpr TEventRow kEventRows[] = {
    {kCodeFileDownloaded, "FileDownloaded", true, TEventRow::Text, 0, 0},
    {kCodeInChat, "InChat", true, TEventRow::Text, 0, 0},
    {kCodeOutChat, "OutChat", false, TEventRow::Text, 0, 0},
    // The body after its first 4 bytes, and one byte more (its NUL).
    {kCodeBlow, "BlowThruMsg", true, TEventRow::Stretch, 4, -3},
    {kCodeLeave, "RLeave", true, TEventRow::None, 0, 0},
    {kCodeEnter, "REnter", true, TEventRow::None, 0, 0},
    {kCodeNameChanged, "NameChanged", true, TEventRow::Stretch, 1, 1},
};

}  // namespace

void TEventForwarder::ForwardText(std::int32_t code, std::int32_t value, const std::string& text) {
  ForwardEvent(code, value, 0, reinterpret_cast<const std::uint8_t*>(text.c_str()), text.size() + 1);
}

void TEventForwarder::ForwardEvent(std::int32_t code, std::int32_t value, std::int32_t length, const std::uint8_t* data,
                                   std::size_t available) {
  const TEventRow* row = nullptr;
  for (const TEventRow& candidate : kEventRows) {
    if (candidate.Code == code) row = &candidate;
  }
  if (row == nullptr) return;
  if (data == nullptr) available = 0;

  TIpcMessage message;
  message.BeginMessage(eventBuffer_, sizeof eventBuffer_, kEventBufferSize, row->Name);
  if (row->HasValue) message.AppendItem(&value, 4, itLong);

  if (row->TextItem != TEventRow::None) {
    // The item's bytes including the NUL that AppendItem adds to a string.
    const std::size_t room = sizeof eventBuffer_ - message.UsedLength();
    std::vector<std::uint8_t> item;
    if (row->TextItem == TEventRow::Text) {
      const void* nul = data ? std::memchr(data, 0, available) : nullptr;
      const std::size_t characters = nul ? std::size_t(static_cast<const std::uint8_t*>(nul) - data) : available;
      item.assign(data, data + characters);
      item.push_back(0);
    } else {
      // A body too short for its stretch (a blow-thru body under 4 bytes)
      // sends an empty text.
      const std::int64_t count = std::max<std::int64_t>(1, std::int64_t(length) + row->TextExtra);
      item.assign(std::size_t(std::min<std::int64_t>(count, std::int64_t(room))), 0);
      const std::int64_t start = row->TextStart;
      for (std::size_t i = 0; i < item.size() && std::int64_t(i) + start < std::int64_t(available); ++i) {
        item[i] = data[std::size_t(start) + i];
      }
    }
    if (item.size() > room) item.resize(room);
    if (!item.empty()) {
      item.back() = 0;
      message.AppendItem(item.data(), std::uint32_t(item.size() - 1), itString);
    }
  }
  Send(message.UsedLength());
}

void TEventForwarder::Send(std::size_t usedLength) { endpoint_.SendToPeer(eventBuffer_, usedLength); }

}  // namespace reelbridge
