#pragma once
// The clipboard kept in memory, for tests and the command-line importer: items
// in the order they were set, each a copy of the bytes handed in.
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "quill/platform/Clipboard.h"

namespace quill {

class TMemoryClipboard : public IClipboard {
 public:
  std::vector<unsigned> Formats() const override;
  void Clear() override;
  // Setting a format that is already there replaces its bytes in place, as the
  // system clipboard keeps one item per format.
  void SetData(unsigned format, const std::vector<std::uint8_t>& block) override;
  void SetSingleItem(unsigned format, const std::vector<std::uint8_t>& block) override;
  std::optional<std::vector<std::uint8_t>> GetData(unsigned format) const override;

  // While refusing, every operation throws Exception kCannotOpenClipboard, as
  // when another program holds the clipboard open.
  void SetRefusing(bool refusing) { refusing_ = refusing; }
  // How often the clipboard was opened: every call above is one session, as
  // each opens and closes the system clipboard once.
  int Sessions() const { return sessions_; }

 private:
  void CheckOpen() const;

  std::vector<std::pair<unsigned, std::vector<std::uint8_t>>> items_;
  bool refusing_ = false;
  mutable int sessions_ = 0;
};

inline const char* const kCannotOpenClipboard = "Cannot open clipboard";

}  // namespace quill
