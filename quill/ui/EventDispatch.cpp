#include "quill/ui/EventDispatch.h"

#include <exception>
#include <new>

namespace quill {
namespace {

// One window thread: plain globals are the application object's state.
TErrorSink& Sink() {
  static TErrorSink sink;
  return sink;
}

std::vector<std::string>& Unreported() {
  static std::vector<std::string> messages;
  return messages;
}

int dispatchDepth = 0;

constexpr const char* kOutOfMemoryText = "Out of memory";

struct TDepthGuard {
  TDepthGuard() { ++dispatchDepth; }
  ~TDepthGuard() { --dispatchDepth; }
};

}  // namespace

TErrorSink SetErrorSink(TErrorSink sink) {
  TErrorSink previous = std::move(Sink());
  Sink() = std::move(sink);
  return previous;
}

bool InsideDispatch() { return dispatchDepth > 0; }

void ReportError(const std::string& message) {
  if (Sink()) {
    Sink()(message);
  } else {
    Unreported().push_back(message);
  }
}

const std::vector<std::string>& UnreportedErrors() { return Unreported(); }

void ClearUnreportedErrors() { Unreported().clear(); }

bool Dispatch(const std::function<void()>& handler) {
  if (!handler) return true;
  if (InsideDispatch()) {
    // A nested event belongs to the action that fired it: let a failure
    // travel up and stop that action as well.
    TDepthGuard guard;
    handler();
    return true;
  }
  // The message is taken out of the catch block before it is shown, so that a
  // sink that pumps messages never runs with an exception in flight.
  std::string message;
  {
    TDepthGuard guard;
    try {
      handler();
      return true;
    } catch (const std::bad_alloc&) {
      message = kOutOfMemoryText;
    } catch (const std::exception& e) {
      message = e.what();
    }
  }
  ReportError(message);
  return false;
}

}  // namespace quill
