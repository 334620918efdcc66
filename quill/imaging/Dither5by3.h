#pragma once
// Ditherers whose matrix reaches two pixels ahead and two rows down (5 x 3
// cells). Three error rows of width + 4 cells (the current row and the two
// below) serve all channels, so column c always uses cell c + 2 and the two
// spare cells at each end take the matrix's overhang.
#include <array>
#include <cstdint>
#include <vector>

#include "quill/imaging/DitherEngine.h"

namespace quill {

class T5by3Ditherer : public TDitherEngine {
 public:
  std::uint8_t DitherPixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t& r, std::uint8_t& g,
                           std::uint8_t& b) override;
  void EndRow() override;
  // Adds the error's weighted shares around the pixel whose cells (of one
  // channel) in the current row, the next row and the row after are given.
  // A channel's neighbouring cells lie lanes::kLanes apart. Nothing for 0.
  virtual void SpreadError(std::int16_t* current, std::int16_t* next, std::int16_t* after, std::int32_t error) = 0;

  std::int32_t Divisor() const { return divisor_; }
  // One channel (0 red, 1 green, 2 blue) of row 0 (current), 1 (next) or 2
  // (the one after), cell by cell.
  std::vector<std::int32_t> ErrorRow(int channel, int row) const;
  std::int32_t Position() const { return position_; }

 protected:
  T5by3Ditherer(std::int32_t width, TColorLookup& matcher, std::int32_t divisor);
  // The inlined row loop for a matrix of ErrorDiffusion.h; false when the
  // matcher or the processor does not allow it.
  template <class Weights>
  bool RunFastRow(const std::uint8_t* source, std::uint8_t* result);

 private:
  std::int32_t divisor_;
  std::array<std::vector<std::int16_t>, 3> rows_;  // four cells a column
  std::int32_t position_ = 2;
};

class TStuckiDitherer final : public T5by3Ditherer {
 public:
  TStuckiDitherer(std::int32_t width, TColorLookup& matcher);
  void SpreadError(std::int16_t* current, std::int16_t* next, std::int16_t* after, std::int32_t error) override;
  void DitherRow(const std::uint8_t* source, std::uint8_t* result) override;
};

class TSierraDitherer final : public T5by3Ditherer {
 public:
  TSierraDitherer(std::int32_t width, TColorLookup& matcher);
  void SpreadError(std::int16_t* current, std::int16_t* next, std::int16_t* after, std::int32_t error) override;
  void DitherRow(const std::uint8_t* source, std::uint8_t* result) override;
};

class TJaJuNiDitherer final : public T5by3Ditherer {
 public:
  TJaJuNiDitherer(std::int32_t width, TColorLookup& matcher);
  void SpreadError(std::int16_t* current, std::int16_t* next, std::int16_t* after, std::int32_t error) override;
  void DitherRow(const std::uint8_t* source, std::uint8_t* result) override;
};

}  // namespace quill
