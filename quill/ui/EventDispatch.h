#pragma once
// Every control event runs through Dispatch. The outermost dispatch catches
// the program's exceptions the way the window framework's top-level handler
// does: the interrupted action stops, the state changed before the failure
// stays, and the message text goes to the application's error sink (a message
// box in the program, a record in tests). Events fired from inside a handler
// (a slider set by program fires its change event) run undispatched, so a
// failure in them stops the outer action too.
#include <functional>
#include <string>
#include <vector>

namespace quill {

using TErrorSink = std::function<void(const std::string& message)>;

// Installs the application-wide sink and returns the one it replaces. With no
// sink installed the messages are kept in a record (UnreportedErrors).
TErrorSink SetErrorSink(TErrorSink sink);

// Runs handler (nothing when it is empty). Returns false when the outermost
// dispatch caught an exception.
bool Dispatch(const std::function<void()>& handler);

// True while a dispatched handler runs.
bool InsideDispatch();

// Hands a message to the sink, or to the record when there is none.
void ReportError(const std::string& message);

// The messages reported while no sink was installed, oldest first.
const std::vector<std::string>& UnreportedErrors();
void ClearUnreportedErrors();

// Installs a sink for the lifetime of the object and puts the previous one back.
class TErrorSinkScope {
 public:
  explicit TErrorSinkScope(TErrorSink sink) : previous_(SetErrorSink(std::move(sink))) {}
  ~TErrorSinkScope() { SetErrorSink(std::move(previous_)); }
  TErrorSinkScope(const TErrorSinkScope&) = delete;
  TErrorSinkScope& operator=(const TErrorSinkScope&) = delete;

 private:
  TErrorSink previous_;
};

}  // namespace quill
