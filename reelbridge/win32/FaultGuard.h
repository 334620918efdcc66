#pragma once
// Runs one call into a foreign library inside an x86 structured-exception
// frame, so that a hardware fault raised inside it (an access violation, a
// division by zero, an illegal instruction) ends that call and not the chat
// client's process.
//
// How it recovers: the frame is registered on the thread's exception chain
// for the length of the call. When the system dispatches a fault to it (after
// every handler the library registered itself has declined it), the handler
// unwinds the chain down to the frame, which runs the library's own
// termination handlers, then puts back the registers, the floating-point
// control state and the stack pointer saved at entry and returns from
// RunGuarded with false. Nothing between the guard and the fault is unwound by
// C++ rules: the call must hold no object that needs destroying, and the
// library is left as the fault left it (it is only called again later).
#include <cstdint>

#include "reelbridge/FaultGuard.h"

namespace reelbridge::win32 {

struct TFault {
  std::uint32_t Code = 0;      // the exception code, 0xC0000005 for an access violation
  std::uintptr_t Address = 0;  // the faulting instruction
};

// True when call(context) returned normally; false when a fault was caught
// (then *fault, when given, describes it). Exceptions of warning or
// informational severity and software exceptions of other kinds pass on.
bool RunGuarded(TGuardedCall call, void* context, TFault* fault = nullptr);

// The same for a callable object. It runs outside C++ unwinding: it must not
// throw and must own nothing that needs destroying.
template <class TCall>
bool RunGuarded(TCall& call, TFault* fault = nullptr) {
  return RunGuarded([](void* context) { (*static_cast<TCall*>(context))(); }, &call, fault);
}

// The plug-in's fault guard; it remembers the latest fault for inspection.
class TWin32FaultGuard final : public IFaultGuard {
 public:
  bool CallFaulted(TGuardedCall call, void* context) override { return !RunGuarded(call, context, &lastFault_); }
  const TFault& LastFault() const { return lastFault_; }

 private:
  TFault lastFault_;
};

}  // namespace reelbridge::win32
