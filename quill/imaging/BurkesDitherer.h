#pragma once
// Burkes diffusion: two pixels ahead and one row down (5 x 2 cells), out of
// 32. Two error rows of width + 4 cells (the current row and the next) serve
// all channels; column c always uses cell c + 2.
#include <array>
#include <cstdint>
#include <vector>

#include "quill/imaging/DitherEngine.h"

namespace quill {

class TBurkesDitherer final : public TDitherEngine {
 public:
  TBurkesDitherer(std::int32_t width, TColorLookup& matcher);

  std::uint8_t DitherPixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t& r, std::uint8_t& g,
                           std::uint8_t& b) override;
  void EndRow() override;
  void DitherRow(const std::uint8_t* source, std::uint8_t* result) override;

  // One channel (0 red, 1 green, 2 blue) of row 0 (current) or 1 (next).
  std::vector<std::int32_t> ErrorRow(int channel, int row) const;
  std::int32_t Position() const { return position_; }

 private:
  std::array<std::vector<std::int16_t>, 2> rows_;  // four cells a column
  std::int32_t position_ = 2;
};

}  // namespace quill
