#pragma once
// The system shell: opens addresses with the user's default program.
#include "quill/platform/Desktop.h"
#include "quill/platform/Shell.h"

namespace quill {

class TWin32Shell : public IShell {
 public:
  explicit TWin32Shell(TWindowHandle owner = 0) : owner_(owner) {}
  void SetOwner(TWindowHandle owner) { owner_ = owner; }

  void OpenUrl(const std::string& url) override;

 private:
  TWindowHandle owner_;
};

}  // namespace quill
