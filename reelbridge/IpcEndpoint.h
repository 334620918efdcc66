#pragma once
// One end of the IPC bridge: a hidden window of class "IPC_Wnd" that finds its
// peer by title, and the 1024-byte ReceiveBuffer that blocks are copied into
// from the peer's process. The plug-in plays the host side ("IPC_Lounge"); the
// movie side ("IPC_Xtra") is the mirror image.
//
// The program's window procedure for the class calls HandleMessage and passes
// whatever it declines to the default window procedure.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "reelbridge/ProcessMemory.h"
#include "reelbridge/WindowSystem.h"

namespace reelbridge {

enum TIpcWindowMessage : std::uint32_t {
  kIpcWriteBack = 0x401,  // wParam byte count, lParam address in the peer: answer bytes written
  kIpcMessage = 0x402,    // wParam byte count, lParam block address in the sender: bytes read
  kIpcConnect = 0x403,    // answer 0
  kIpcAnnounce = 0x404,   // wParam sender's window: answer own window, or 0
};

enum class TEndpointRole : std::int32_t { HostSide = 1, MovieSide = 2 };

constexpr std::size_t kReceiveBufferSize = 1024;
constexpr const char* kHostSideTitle = "IPC_Lounge";
constexpr const char* kMovieSideTitle = "IPC_Xtra";

class TIpcEndpoint;

// Told of every block read into the ReceiveBuffer by IPC_Message. On the host
// side only blocks whose name begins with "X2H" (case counting) are passed on;
// on the movie side every block is.
class IIpcReceiver {
 public:
  virtual ~IIpcReceiver() = default;
  virtual void OnIpcMessage(TIpcEndpoint& endpoint, std::size_t bytesRead) = 0;
};

class TIpcEndpoint {
 public:
  TIpcEndpoint(IWindowSystem& windows, IProcessMemory& memory);
  ~TIpcEndpoint();
  TIpcEndpoint(const TIpcEndpoint&) = delete;
  TIpcEndpoint& operator=(const TIpcEndpoint&) = delete;

  // Creates the window (or returns the live one) and delivers IPC_Connect to
  // it: the host side posts it, the movie side sends it. 0 on failure, with
  // nothing left behind.
  TWindowHandle CreateEndpoint(TInstance instance, TEndpointRole role);
  // Destroys the window, releases the ReceiveBuffer, unregisters the class.
  void CloseEndpoint();

  // Sends IPC_Message (size, block address) to the peer and returns true; false
  // without sending when no live peer is connected.
  bool SendToPeer(const std::uint8_t* block, std::size_t size);

  // The window procedure's work for IPC_WriteBack, IPC_Message, IPC_Connect
  // and IPC_Announce: sets `result` and returns true. False for every other
  // message, which belongs to the default window procedure.
  bool HandleMessage(TWindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam,
                     std::intptr_t& result);

  void SetReceiver(IIpcReceiver* receiver) { receiver_ = receiver; }

  TWindowHandle OwnWindow() const { return ownWindow_; }
  // The peer when it is still a live window, else 0.
  TWindowHandle UsablePeer();
  TEndpointRole Role() const { return role_; }
  const char* OwnTitle() const;
  const char* PeerTitle() const;
  // The ReceiveBuffer (kReceiveBufferSize bytes) while the endpoint exists, else null.
  std::uint8_t* ReceiveBuffer() { return receiveBuffer_.empty() ? nullptr : receiveBuffer_.data(); }

 private:
  std::intptr_t Connect();
  std::intptr_t Announce(TWindowHandle sender);
  std::size_t ReadFromPeer(std::size_t size, std::uintptr_t address);
  std::size_t WriteToPeer(std::size_t size, std::uintptr_t address);

  IWindowSystem& windows_;
  IProcessMemory& memory_;
  IIpcReceiver* receiver_ = nullptr;
  TWindowHandle ownWindow_ = 0;
  TWindowHandle peerWindow_ = 0;
  TEndpointRole role_ = TEndpointRole::HostSide;
  TInstance instance_ = 0;
  std::vector<std::uint8_t> receiveBuffer_;
};

}  // namespace reelbridge
