#include "quill/imaging/Dither5by3.h"

#include <algorithm>

#include "quill/base/Errors.h"
#include "quill/imaging/ErrorDiffusion.h"
#include "quill/imaging/MatrixRowLoop.h"

namespace quill {

namespace {

using diffusion::kChannels;
using lanes::kLanes;
using lanes::kLaneOf;

constexpr std::int32_t kSpareCells = 4;  // two at each end of a row
constexpr std::int32_t kFirstCell = 2;   // the cell of column 0

}  // namespace

T5by3Ditherer::T5by3Ditherer(std::int32_t width, TColorLookup& matcher, std::int32_t divisor)
    : TDitherEngine(width, matcher), divisor_(divisor) {
  const std::size_t cells = std::size_t(width < 0 ? 0 : width) + kSpareCells;
  for (auto& row : rows_) row.assign(cells * kLanes, 0);
}

std::vector<std::int32_t> T5by3Ditherer::ErrorRow(int channel, int row) const {
  const std::vector<std::int16_t>& cells = rows_.at(row);
  std::vector<std::int32_t> out;
  for (std::size_t i = std::size_t(kLaneOf[channel]); i < cells.size(); i += kLanes) out.push_back(cells[i]);
  return out;
}

std::uint8_t T5by3Ditherer::DitherPixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t& r,
                                        std::uint8_t& g, std::uint8_t& b) {
  if (currentColumn_ < 0 || currentColumn_ >= lineWidth_) throw EInvalidGraphicOperation("Dither column out of range");
  const std::size_t base = std::size_t(position_) * kLanes;
  const std::int32_t channel[kChannels] = {red, green, blue};
  std::int32_t value[kChannels];
  for (int c = 0; c < kChannels; ++c) {
    // Signed division truncates toward zero.
    value[c] = diffusion::ClampChannel(channel[c] + (rows_[0][base + kLaneOf[c]] + divisor_ / 2) / divisor_);
  }
  const std::uint8_t index =
      TDitherEngine::DitherPixel(std::uint8_t(value[0]), std::uint8_t(value[1]), std::uint8_t(value[2]), r, g, b);
  const std::int32_t matched[kChannels] = {r, g, b};
  for (int c = 0; c < kChannels; ++c) {
    const std::size_t cell = base + kLaneOf[c];
    SpreadError(&rows_[0][cell], &rows_[1][cell], &rows_[2][cell], value[c] - matched[c]);
  }
  position_ += scanDirection_;
  return index;
}

void T5by3Ditherer::EndRow() {
  // The finished row is cleared and becomes the row after next.
  std::fill(rows_[0].begin(), rows_[0].end(), 0);
  std::rotate(rows_.begin(), rows_.begin() + 1, rows_.end());
  TDitherEngine::EndRow();
  position_ = currentColumn_ + kFirstCell;
}

template <class Weights>
bool T5by3Ditherer::RunFastRow(const std::uint8_t* source, std::uint8_t* result) {
#ifdef QUILL_DIFFUSION_LANES
  if (FastMatcher() == nullptr) return false;
  const std::size_t base = std::size_t(position_) * kLanes;
  std::int16_t* const cells[3] = {rows_[0].data() + base, rows_[1].data() + base, rows_[2].data() + base};
  const std::int32_t end = diffusion::RunMatrixRow<Weights>(source, result, currentColumn_, lineWidth_, scanDirection_,
                                                            cells, *FastMatcher());
  position_ += end - currentColumn_;
  currentColumn_ = end;
  return true;
#else
  return false;
#endif
}

TStuckiDitherer::TStuckiDitherer(std::int32_t width, TColorLookup& matcher)
    : T5by3Ditherer(width, matcher, diffusion::TStuckiWeights::kDivisor) {}

void TStuckiDitherer::SpreadError(std::int16_t* current, std::int16_t* next, std::int16_t* after, std::int32_t error) {
  diffusion::SpreadMatrix<diffusion::TStuckiWeights>(current, next, after, scanDirection_, error);
}

void TStuckiDitherer::DitherRow(const std::uint8_t* source, std::uint8_t* result) {
  if (!RunFastRow<diffusion::TStuckiWeights>(source, result)) DitherRowByPixel(source, result);
}

TSierraDitherer::TSierraDitherer(std::int32_t width, TColorLookup& matcher)
    : T5by3Ditherer(width, matcher, diffusion::TSierraWeights::kDivisor) {}

void TSierraDitherer::SpreadError(std::int16_t* current, std::int16_t* next, std::int16_t* after, std::int32_t error) {
  diffusion::SpreadMatrix<diffusion::TSierraWeights>(current, next, after, scanDirection_, error);
}

void TSierraDitherer::DitherRow(const std::uint8_t* source, std::uint8_t* result) {
  if (!RunFastRow<diffusion::TSierraWeights>(source, result)) DitherRowByPixel(source, result);
}

TJaJuNiDitherer::TJaJuNiDitherer(std::int32_t width, TColorLookup& matcher)
    : T5by3Ditherer(width, matcher, diffusion::TJaJuNiWeights::kDivisor) {}

void TJaJuNiDitherer::SpreadError(std::int16_t* current, std::int16_t* next, std::int16_t* after, std::int32_t error) {
  diffusion::SpreadMatrix<diffusion::TJaJuNiWeights>(current, next, after, scanDirection_, error);
}

void TJaJuNiDitherer::DitherRow(const std::uint8_t* source, std::uint8_t* result) {
  if (!RunFastRow<diffusion::TJaJuNiWeights>(source, result)) DitherRowByPixel(source, result);
}

}  // namespace quill
