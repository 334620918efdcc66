#pragma once
// The desktop shell: opening documents and addresses with their default program.
#include <string>

namespace quill {

class IShell {
 public:
  virtual ~IShell() = default;

  // Opens a web address in the default browser (default action, no parameters,
  // normal window). Best effort: a failure is not reported.
  virtual void OpenUrl(const std::string& url) = 0;
};

}  // namespace quill
