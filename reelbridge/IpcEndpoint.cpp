#include "reelbridge/IpcEndpoint.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "reelbridge/IpcMessage.h"

namespace reelbridge {

TIpcEndpoint::TIpcEndpoint(IWindowSystem& windows, IProcessMemory& memory) : windows_(windows), memory_(memory) {}

TIpcEndpoint::~TIpcEndpoint() {
  if (ownWindow_ != 0 || !receiveBuffer_.empty()) CloseEndpoint();
}

const char* TIpcEndpoint::OwnTitle() const {
  return role_ == TEndpointRole::HostSide ? kHostSideTitle : kMovieSideTitle;
}

const char* TIpcEndpoint::PeerTitle() const {
  return role_ == TEndpointRole::HostSide ? kMovieSideTitle : kHostSideTitle;
}

TWindowHandle TIpcEndpoint::CreateEndpoint(TInstance instance, TEndpointRole role) {
  if (ownWindow_ != 0 && windows_.IsLiveWindow(ownWindow_)) return ownWindow_;
  role_ = role;
  instance_ = instance;
  try {
    receiveBuffer_.assign(kReceiveBufferSize, 0);
  } catch (const std::bad_alloc&) {
    return 0;
  }
  if (!windows_.RegisterEndpointClass(instance_)) {
    std::vector<std::uint8_t>().swap(receiveBuffer_);
    return 0;
  }
  ownWindow_ = windows_.CreateEndpointWindow(instance_, OwnTitle());
  if (ownWindow_ == 0) {
    // The caller's load fails; leave no class or buffer behind for it.
    windows_.UnregisterEndpointClass(instance_);
    std::vector<std::uint8_t>().swap(receiveBuffer_);
    return 0;
  }
  // The host side posts, so the search runs once the client's message loop
  // does; the movie side searches at once.
  if (role_ == TEndpointRole::HostSide) {
    windows_.PostWindowMessage(ownWindow_, kIpcConnect, 0, 0);
  } else {
    windows_.SendWindowMessage(ownWindow_, kIpcConnect, 0, 0);
  }
  return ownWindow_;
}

void TIpcEndpoint::CloseEndpoint() {
  if (ownWindow_ != 0) windows_.DestroyEndpointWindow(ownWindow_);
  ownWindow_ = 0;
  peerWindow_ = 0;
  std::vector<std::uint8_t>().swap(receiveBuffer_);
  windows_.UnregisterEndpointClass(instance_);
}

TWindowHandle TIpcEndpoint::UsablePeer() {
  return peerWindow_ != 0 && windows_.IsLiveWindow(peerWindow_) ? peerWindow_ : 0;
}

bool TIpcEndpoint::SendToPeer(const std::uint8_t* block, std::size_t size) {
  const TWindowHandle peer = UsablePeer();
  if (peer == 0) return false;
  windows_.SendWindowMessage(peer, kIpcMessage, size, std::intptr_t(reinterpret_cast<std::uintptr_t>(block)));
  return true;
}

std::intptr_t TIpcEndpoint::Connect() {
  const TWindowHandle found = windows_.FindTopLevelWindow(kEndpointClassName, PeerTitle());
  peerWindow_ = 0;
  if (found != 0 && windows_.IsLiveWindow(found)) {
    const std::intptr_t answer = windows_.SendWindowMessage(found, kIpcAnnounce, ownWindow_, 0);
    if (TWindowHandle(answer) == found) peerWindow_ = found;
  }
  return 0;
}

std::intptr_t TIpcEndpoint::Announce(TWindowHandle sender) {
  if (!windows_.IsLiveWindow(sender)) return 0;
  peerWindow_ = sender;
  return std::intptr_t(ownWindow_);
}

std::size_t TIpcEndpoint::ReadFromPeer(std::size_t size, std::uintptr_t address) {
  const TWindowHandle peer = UsablePeer();
  // A count beyond the buffer would overrun it: such a message is refused whole.
  if (peer == 0 || receiveBuffer_.empty() || size > receiveBuffer_.size()) return 0;
  std::size_t read = memory_.ReadWindowProcess(peer, address, receiveBuffer_.data(), size);
  read = std::min(read, size);
  // Whatever was not received now is no longer part of any block: a short or
  // failed read must not leave an earlier block to be handled again.
  std::fill(receiveBuffer_.begin() + std::ptrdiff_t(read), receiveBuffer_.end(), 0);
  return read;
}

std::size_t TIpcEndpoint::WriteToPeer(std::size_t size, std::uintptr_t address) {
  const TWindowHandle peer = UsablePeer();
  if (peer == 0 || receiveBuffer_.empty()) return 0;
  // The write-back serves the peer out of our ReceiveBuffer; never past its end.
  size = std::min(size, receiveBuffer_.size());
  const std::size_t written = memory_.WriteWindowProcess(peer, address, receiveBuffer_.data(), size);
  return std::min(written, size);
}

bool TIpcEndpoint::HandleMessage(TWindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                 std::intptr_t lParam, std::intptr_t& result) {
  switch (message) {
    case kIpcWriteBack:
      result = std::intptr_t(WriteToPeer(wParam, std::uintptr_t(lParam)));
      return true;
    case kIpcMessage: {
      const std::size_t read = ReadFromPeer(wParam, std::uintptr_t(lParam));
      result = std::intptr_t(read);
      if (read == 0 || receiver_ == nullptr) return true;
      if (role_ == TEndpointRole::HostSide) {
        TIpcMessage block;
        block.OpenMessage(receiveBuffer_.data(), receiveBuffer_.size(), read);
        if (!block.NameStartsWith("X2H")) return true;
      }
      receiver_->OnIpcMessage(*this, read);
      return true;
    }
    case kIpcConnect:
      result = Connect();
      return true;
    case kIpcAnnounce:
      result = Announce(TWindowHandle(wParam));
      return true;
    default:
      return false;
  }
}

}  // namespace reelbridge
