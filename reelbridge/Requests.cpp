#include "reelbridge/Requests.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "reelbridge/BlowThru.h"
#include "reelbridge/IpcMessage.h"

namespace reelbridge {
namespace {

// The reply string of "X2HGetUserName": at most 79 characters.
constexpr std::size_t kUserNameMax = 79;

// A reply item goes in only when it fits in what travels back (the block's
// capacity, never more than the buffer) and a descriptor is free. Otherwise
// the block returns without it and with status 2, so the movie side can tell
// a reply left out from a request that has none.
void AppendReply(TIpcMessage& block, const void* bytes, std::uint32_t length, TIpcItemType type) {
  const std::uint64_t end = std::uint64_t(block.UsedLength()) + length + (type == itString ? 1 : 0);
  const std::uint64_t room = std::min<std::uint64_t>(block.Capacity(), kReceiveBufferSize);
  if (end > room || !block.AppendItem(bytes, length, type)) block.SetStatus(isItemTooLong);
}

void GetMyId(TIpcMessage& block, IHost& host) {
  const std::int32_t id = host.MyId();
  // Behind the items already present.
  AppendReply(block, &id, 4, itLong);
}

void GetUserName(TIpcMessage& block, IHost& host) {
  std::int32_t id = 0;
  const TIpcStatus status = block.GetItemValue(1, itLong, &id, 4);
  if (status != isNone) {
    block.SetStatus(status);
    return;
  }
  block.ClearItems();
  std::string name = host.UserName(id).value_or(std::string());
  name = name.substr(0, std::min({name.find('\0'), name.size(), kUserNameMax}));
  AppendReply(block, name.c_str(), std::uint32_t(name.size()), itString);
}

void Chat(TIpcMessage& block, IHost& host) {
  std::string text;
  const TIpcStatus status = block.GetItemText(1, text);
  if (status != isNone) {
    block.SetStatus(status);
    return;
  }
  host.Say(text);
}

void BlowThruToList(TIpcMessage& block, IHost& host) {
  std::int32_t count = 0;
  block.GetItemValue(1, itLong, &count, 4);
  const std::uint8_t* ids = nullptr;
  std::uint32_t idBytes = 0;
  if (block.GetItemRef(2, itBytes, ids, idBytes) != isNone) {
    ids = nullptr;
    idBytes = 0;
  }
  std::string text;
  const TIpcStatus status = block.GetItemText(3, text);
  if (status != isNone) {
    block.SetStatus(status);
    return;
  }
  // The packet would copy ids that the block does not hold; a count below -1
  // (everyone) means nothing the client could act on.
  if (count < -1 || (count > 0 && std::uint64_t(idBytes) < std::uint64_t(count) * 4)) {
    block.SetStatus(isItemMissing);
    return;
  }
  BlowThru(host, count, ids, text.c_str(), text.size() + 1);
}

void BlowThruToRoom(TIpcMessage& block, IHost& host) {
  std::string text;
  const TIpcStatus status = block.GetItemText(1, text);
  if (status != isNone) {
    block.SetStatus(status);
    return;
  }
  BlowThru(host, 0, nullptr, text.c_str(), text.size() + 1);
}

void RunScript(TIpcMessage& block, IHost& host) {
  std::string script;
  if (block.GetItemText(1, script) == isNone) host.RunScript(script);
}

void RunScriptWithResult(TIpcMessage& block, IHost& host) {
  std::string script;
  const TIpcStatus status = block.GetItemText(1, script);
  if (status != isNone) {
    block.SetStatus(status);
    return;
  }
  const std::int32_t result = host.RunScript(script);
  block.ClearItems();
  AppendReply(block, &result, 4, itLong);
}

struct TRequestRow {
  const char* Name;
  void (*Handle)(TIpcMessage& block, IHost& host);
};

constexpr TRequestRow kRequests[] = {
    {"X2HGetMyId", GetMyId},           {"X2HGetUserName", GetUserName}, {"X2HChat", Chat},
    {"X2HBTL_Msg", BlowThruToList},    {"X2HBT_Msg", BlowThruToRoom},   {"X2HScr", RunScript},
    {"X2HScrRL", RunScriptWithResult},
};

}  // namespace

void HandleRequest(TIpcEndpoint& endpoint, IHost& host, std::size_t bytesRead) {
  std::uint8_t* buffer = endpoint.ReceiveBuffer();
  if (buffer == nullptr) return;
  TIpcMessage block;
  block.OpenMessage(buffer, kReceiveBufferSize, bytesRead);
  const TRequestRow* request = nullptr;
  for (const TRequestRow& row : kRequests) {
    if (request == nullptr && block.NameIs(row.Name)) request = &row;
  }
  if (request != nullptr) {
    request->Handle(block, host);
  } else {
    block.SetStatus(isUnknownRequest);
  }
  // The whole block travels back, as its capacity says, but never more than
  // the ReceiveBuffer holds.
  endpoint.SendToPeer(buffer, std::min<std::size_t>(block.Capacity(), kReceiveBufferSize));
}

void TRequestReceiver::OnIpcMessage(TIpcEndpoint& endpoint, std::size_t bytesRead) {
  if (host_ != nullptr) HandleRequest(endpoint, *host_, bytesRead);
}

}  // namespace reelbridge
