#include "quill/cli/WorkerGroup.h"

namespace quill {

bool TWorkerGroup::TakePendingLine(std::string& line) {
  const std::size_t end = pending_.find('\n');
  if (end == std::string::npos) return false;
  line = pending_.substr(0, end);
  pending_.erase(0, end + 1);
  // Windows programs end their text lines with a carriage return too.
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

bool TWorkerGroup::ReadLine(std::string& line) {
  for (;;) {
    if (TakePendingLine(line)) return true;
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

bool TWorkerGroup::ReadLineIfReady(std::string& line) {
  for (;;) {
    if (TakePendingLine(line)) return true;
    char buffer[512];
    const std::size_t got = ReadWaiting(buffer, sizeof buffer);
    if (got == 0) return false;
    pending_.append(buffer, got);
  }
}

}  // namespace quill
