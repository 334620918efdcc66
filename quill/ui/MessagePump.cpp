#include "quill/ui/MessagePump.h"

namespace quill {
namespace {

// One window thread: a plain global is the application object's state.
TMessagePump& Pump() {
  static TMessagePump pump;
  return pump;
}

}  // namespace

TMessagePump SetMessagePump(TMessagePump pump) {
  TMessagePump previous = std::move(Pump());
  Pump() = std::move(pump);
  return previous;
}

void ProcessMessages() {
  // A copy, so that a pump that replaces itself while running stays alive.
  const TMessagePump pump = Pump();
  if (pump) pump();
}

}  // namespace quill
