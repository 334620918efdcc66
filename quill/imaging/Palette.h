#pragma once
// A logical palette: up to 256 entries of red, green, blue, flags.
#include <cstdint>
#include <vector>

namespace quill {

struct TPaletteEntry {
  std::uint8_t Red = 0, Green = 0, Blue = 0, Flags = 0;
  friend bool operator==(const TPaletteEntry& a, const TPaletteEntry& b) {
    return a.Red == b.Red && a.Green == b.Green && a.Blue == b.Blue && a.Flags == b.Flags;
  }
};

class TPalette {
 public:
  static constexpr int kMaxEntries = 256;
  static constexpr std::uint16_t kVersion = 0x300;

  TPalette() = default;
  explicit TPalette(std::vector<TPaletteEntry> entries);  // keeps at most 256

  int EntryCount() const { return int(entries_.size()); }
  std::uint16_t Version() const { return kVersion; }
  // Copies up to count entries starting at start into out; returns how many.
  int GetEntries(int start, int count, TPaletteEntry* out) const;
  const std::vector<TPaletteEntry>& Entries() const { return entries_; }

 private:
  std::vector<TPaletteEntry> entries_;
};

}  // namespace quill
