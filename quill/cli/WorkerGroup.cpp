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

bool TWorkerGroup::ReadLine(std::string& line) { return NextLine(line, true); }

bool TWorkerGroup::ReadLineIfReady(std::string& line) { return NextLine(line, false); }

bool TWorkerGroup::NextLine(std::string& line, bool wait) {
  for (;;) {
    if (TakePendingLine(line)) return true;
    char buffer[512];
    const std::size_t got = wait ? ReadSome(buffer, sizeof buffer) : ReadWaiting(buffer, sizeof buffer);
    if (got == 0) {
      if (!wait) return false;
      // Every worker has ended: an unfinished last line is still a line.
      line = pending_;
      pending_.clear();
      return !line.empty();
    }
    pending_.append(buffer, got);
  }
}

}  // namespace quill
