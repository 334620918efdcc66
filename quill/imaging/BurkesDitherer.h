#pragma once
// Burkes diffusion: two pixels ahead and one row down (5 x 2 cells), out of
// 32. Each channel keeps two error rows of width + 4 cells; column c always
// uses cell c + 2.
#include <array>
#include <cstdint>
#include <vector>

#include "quill/imaging/DitherEngine.h"

namespace quill {

class TBurkesDitherer final : public TDitherEngine {
 public:
  TBurkesDitherer(std::int32_t width, TColorLookup& matcher);

  std::uint8_t DitherPixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t& r,
                           std::uint8_t& g, std::uint8_t& b) override;
  void EndRow() override;
  void DitherRow(const std::uint8_t* source, std::uint8_t* result) override;

  // Row 0 is the current row, 1 the next; channel 0 red, 1 green, 2 blue.
  const std::vector<std::int32_t>& ErrorRow(int channel, int row) const { return rows_.at(channel).at(row); }
  std::int32_t Position() const { return position_; }

 private:
  std::array<std::array<std::vector<std::int32_t>, 2>, 3> rows_;  // [channel][row]
  std::int32_t position_ = 2;
};

}  // namespace quill
