#pragma once
// The movie side's requests, handled on the host side for every block whose
// name begins with "X2H": "X2HGetMyId", "X2HGetUserName", "X2HChat",
// "X2HBTL_Msg", "X2HBT_Msg", "X2HScr", "X2HScrRL". The block is answered in
// place and sent back whole (its capacity, at most the ReceiveBuffer, as the size).
#include <cstddef>

#include "reelbridge/Host.h"
#include "reelbridge/IpcEndpoint.h"

namespace reelbridge {

// Handles the block of `bytesRead` bytes in the endpoint's ReceiveBuffer and
// replies to the peer.
void HandleRequest(TIpcEndpoint& endpoint, IHost& host, std::size_t bytesRead);

// Receives the host side's requests for the plug-in, with the host of the
// latest entry-point call.
class TRequestReceiver : public IIpcReceiver {
 public:
  void SetHost(IHost* host) { host_ = host; }
  void OnIpcMessage(TIpcEndpoint& endpoint, std::size_t bytesRead) override;

 private:
  IHost* host_ = nullptr;
};

}  // namespace reelbridge
