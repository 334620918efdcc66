#pragma once
// Colour matchers: given a true colour, name the palette entry that stands for
// it. TColorLookup is the interface the ditherers talk to; TFastColorLookup
// serves a caller's palette through a cache keyed by the colour cut to 15 bits.
#include <array>
#include <cstdint>
#include <memory>

#include "quill/imaging/Palette.h"

namespace quill {

class TColorLookup {
 public:
  virtual ~TColorLookup() = default;
  TColorLookup(const TColorLookup&) = delete;
  TColorLookup& operator=(const TColorLookup&) = delete;

  // Number of palette entries served; 0 makes a reduction give up.
  std::int32_t EntryCount() const { return entryCount_; }

  // Returns the palette index for (red, green, blue) and that entry's colour.
  virtual std::uint8_t MatchColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t& r,
                                  std::uint8_t& g, std::uint8_t& b) = 0;

 protected:
  TColorLookup() = default;
  std::int32_t entryCount_ = 0;
};

class TFastColorLookup final : public TColorLookup {
 public:
  static constexpr int kCacheCells = 32768;
  static constexpr std::uint16_t kEmptyCell = 0xFFFF;
  // Larger than any sum of three channel differences (3 x 255), so the first
  // entry searched always becomes the best so far.
  static constexpr std::int32_t kWorstDistance = 0x30000;

  // Copies up to 256 entries of the palette and seeds the cache with them.
  explicit TFastColorLookup(const TPalette& palette);

  std::uint8_t MatchColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t& r, std::uint8_t& g,
                          std::uint8_t& b) override;

  // The 15-bit cache key: five high bits each of blue, green and red.
  static std::uint32_t Key(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return ((blue >> 3) << 10) | ((green >> 3) << 5) | (red >> 3);
  }

  // The same answer as MatchColor without the virtual call.
  std::uint8_t Match(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    const std::uint32_t key = Key(red, green, blue);
    if (!IsFilled(key)) Resolve(red, green, blue);
    return IndexOf(cells_[key]);
  }

  // For the row loops: a filled cell holds the answer's blue, green and red
  // in bytes 0 to 2 and its index in byte 3, so one read gives both. An
  // empty cell holds a value no filled cell can hold: entry 0's index with a
  // colour that is not entry 0's.
  bool IsFilled(std::uint32_t key) const { return cells_[key] != emptyCell_; }
  const std::uint32_t* Cell(std::uint32_t key) const { return &cells_[key]; }
  std::uint32_t EmptyCell() const { return emptyCell_; }
  static std::uint8_t IndexOf(std::uint32_t cell) { return std::uint8_t(cell >> 24); }
  // Finds the nearest entry by sum of absolute channel differences, the lowest
  // index winning a tie, fills the colour's cell with it and returns the cell.
  std::uint32_t Resolve(std::uint32_t red, std::uint32_t green, std::uint32_t blue);

  const TPaletteEntry& Entry(std::uint8_t index) const { return entries_[index]; }

  // A cache cell as 16 bits: kEmptyCell, or the index it holds.
  std::uint16_t CacheCell(std::uint32_t key) const {
    key &= kCacheCells - 1;
    return IsFilled(key) ? IndexOf(cells_[key]) : kEmptyCell;
  }

 private:
  void Fill(std::uint32_t key, int index);
  // The first slot with the least sum of absolute differences to the colour.
  int NearestSlot(std::int16_t red, std::int16_t green, std::int16_t blue) const;

  std::array<TPaletteEntry, TPalette::kMaxEntries> entries_{};
  // The entries' channels one array each, for a search the compiler can
  // vectorise; slots past EntryCount hold a value no colour comes near.
  struct TChannels {
    std::array<std::int16_t, TPalette::kMaxEntries> Red, Green, Blue;
  };
  std::unique_ptr<TChannels> channels_;
  std::unique_ptr<std::uint32_t[]> cells_;
  std::uint32_t emptyCell_ = 0;
};

}  // namespace quill
