#pragma once
// A timer component: while enabled, OnTimer runs every Interval milliseconds.
// The timer itself does not count time; the backend's peer runs a system timer
// and calls Tick, and tests call Tick directly.
#include <string>

#include "quill/ui/Control.h"
#include "quill/ui/ControlPeer.h"

namespace quill {

class TTimer {
 public:
  static constexpr unsigned kDefaultInterval = 1000;

  explicit TTimer(std::string name) : name_(std::move(name)) {}
  ~TTimer();
  TTimer(const TTimer&) = delete;
  TTimer& operator=(const TTimer&) = delete;

  const std::string& Name() const { return name_; }
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned milliseconds);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  // One period elapsed: runs OnTimer through the event dispatch when enabled.
  void Tick();

  TNotifyEvent OnTimer;

  ITimerPeer* Peer() const { return peer_; }
  void SetPeer(ITimerPeer* peer) { peer_ = peer; }

 private:
  void NotifyChanged();

  std::string name_;
  unsigned interval_ = kDefaultInterval;
  bool enabled_ = true;
  ITimerPeer* peer_ = nullptr;
};

}  // namespace quill
