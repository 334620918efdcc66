#pragma once
// Floyd-Steinberg diffusion (7 ahead, 3, 5 and 1 below, out of 16) with one
// error row. The share for the pixel ahead travels in Carry; the shares for
// the row below are gathered in Below1 and Below5 and written into the cell
// just read, so a single row of width + 2 cells serves both rows.
#include <array>
#include <cstdint>
#include <vector>

#include "quill/imaging/DitherEngine.h"

namespace quill {

class TFloydSteinbergDitherer final : public TDitherEngine {
 public:
  TFloydSteinbergDitherer(std::int32_t width, TColorLookup& matcher);

  std::uint8_t DitherPixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t& r, std::uint8_t& g,
                           std::uint8_t& b) override;
  void EndRow() override;
  void DitherRow(const std::uint8_t* source, std::uint8_t* result) override;

  // One channel's diffusion state (0 red, 1 green, 2 blue), as a copy.
  struct TChannelState {
    std::vector<std::int32_t> ErrorRow;  // LineWidth + 2 cells
    std::int32_t Carry = 0;
    std::int32_t Below1 = 0;
    std::int32_t Below5 = 0;
  };
  TChannelState Channel(int channel) const;
  // The error-row cell of the next pixel: its column on left-to-right rows,
  // column + 2 on right-to-left rows; the same for all three channels.
  std::int32_t Position() const { return position_; }

 private:
  // The row loop on SSE2 lanes through the fast matcher's cache.
  void RunRow(const std::uint8_t* source, std::uint8_t* result);

  // Four cells a column (see DiffusionLanes.h); the running values likewise
  // by lane.
  std::vector<std::int16_t> cells_;
  std::array<std::int32_t, 4> carry_{}, below1_{}, below5_{};
  std::int32_t position_ = 0;
};

}  // namespace quill
