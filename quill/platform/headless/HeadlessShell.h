#pragma once
// A shell that records the addresses it was asked to open.
#include <string>
#include <vector>

#include "quill/platform/Shell.h"

namespace quill {

class THeadlessShell : public IShell {
 public:
  void OpenUrl(const std::string& url) override { opened_.push_back(url); }
  const std::vector<std::string>& OpenedUrls() const { return opened_; }

 private:
  std::vector<std::string> opened_;
};

}  // namespace quill
