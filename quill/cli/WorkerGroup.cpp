#include "quill/cli/WorkerGroup.h"

namespace quill {

bool TWorkerGroup::ReadLine(std::string& line) {
  for (;;) {
    const std::size_t end = pending_.find('\n');
    if (end != std::string::npos) {
      line = pending_.substr(0, end);
      pending_.erase(0, end + 1);
      // Windows programs end their text lines with a carriage return too.
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return true;
    }
    char buffer[512];
    const std::size_t got = ReadSome(buffer, sizeof buffer);
    if (got == 0) {
      line = pending_;
      pending_.clear();
      return !line.empty();
    }
    pending_.append(buffer, got);
  }
}

}  // namespace quill
