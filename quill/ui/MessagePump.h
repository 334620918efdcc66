#pragma once
// The application's "process pending messages" step. A handler that works for
// a while calls ProcessMessages so that the window repaints what it changed
// and the timer keeps ticking. The Win32 backend installs the real pump while
// its message loop exists; without one (tests, the command-line tool) it does
// nothing, or whatever a test installs.
#include <functional>

namespace quill {

using TMessagePump = std::function<void()>;

// Installs the application-wide pump and returns the one it replaces.
TMessagePump SetMessagePump(TMessagePump pump);

// Runs the installed pump once (nothing when none is installed).
void ProcessMessages();

// Installs a pump for the lifetime of the object and puts the previous one back.
class TMessagePumpScope {
 public:
  explicit TMessagePumpScope(TMessagePump pump) : previous_(SetMessagePump(std::move(pump))) {}
  ~TMessagePumpScope() { SetMessagePump(std::move(previous_)); }
  TMessagePumpScope(const TMessagePumpScope&) = delete;
  TMessagePumpScope& operator=(const TMessagePumpScope&) = delete;

 private:
  TMessagePump previous_;
};

}  // namespace quill
