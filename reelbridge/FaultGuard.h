#pragma once
// Runs a call into foreign code so that a fault raised inside it (an access
// violation and the like) is caught instead of taking down the chat client.
namespace reelbridge {

// The guarded call: a plain function with a context pointer. It must hold
// nothing that needs destruction, because a fault may cut it short without
// unwinding.
using TGuardedCall = void (*)(void* context);

class IFaultGuard {
 public:
  virtual ~IFaultGuard() = default;
  // Runs call(context). True when it faulted (the fault was caught and the
  // call abandoned), false when it returned normally.
  virtual bool CallFaulted(TGuardedCall call, void* context) = 0;
};

// The same for a callable object, which must own nothing that needs
// destroying (a lambda that captures references and plain values).
template <class TCall>
bool CallFaulted(IFaultGuard& guard, TCall& call) {
  return guard.CallFaulted([](void* context) { (*static_cast<TCall*>(context))(); }, &call);
}

}  // namespace reelbridge
