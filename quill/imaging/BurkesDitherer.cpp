#include "quill/imaging/BurkesDitherer.h"

#include <algorithm>

#include "quill/base/Errors.h"
#include "quill/imaging/ErrorDiffusion.h"
#include "quill/imaging/MatrixRowLoop.h"

namespace quill {

namespace {

using diffusion::kChannels;
using diffusion::TBurkesWeights;
using lanes::kLanes;
using lanes::kLaneOf;

constexpr std::int32_t kSpareCells = 4;  // two at each end of a row
constexpr std::int32_t kFirstCell = 2;   // the cell of column 0

}  // namespace

TBurkesDitherer::TBurkesDitherer(std::int32_t width, TColorLookup& matcher) : TDitherEngine(width, matcher) {
  const std::size_t cells = std::size_t(width < 0 ? 0 : width) + kSpareCells;
  for (auto& row : rows_) row.assign(cells * kLanes, 0);
}

std::vector<std::int32_t> TBurkesDitherer::ErrorRow(int channel, int row) const {
  const std::vector<std::int16_t>& cells = rows_.at(row);
  std::vector<std::int32_t> out;
  for (std::size_t i = std::size_t(kLaneOf[channel]); i < cells.size(); i += kLanes) out.push_back(cells[i]);
  return out;
}

std::uint8_t TBurkesDitherer::DitherPixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t& r,
                                          std::uint8_t& g, std::uint8_t& b) {
  if (currentColumn_ < 0 || currentColumn_ >= lineWidth_) throw EInvalidGraphicOperation("Dither column out of range");
  const std::size_t base = std::size_t(position_) * kLanes;
  const std::int32_t channel[kChannels] = {red, green, blue};
  std::int32_t value[kChannels];
  for (int c = 0; c < kChannels; ++c)
    value[c] = diffusion::MatrixCorrected<TBurkesWeights>(channel[c], rows_[0][base + kLaneOf[c]]);
  const std::uint8_t index =
      TDitherEngine::DitherPixel(std::uint8_t(value[0]), std::uint8_t(value[1]), std::uint8_t(value[2]), r, g, b);
  const std::int32_t matched[kChannels] = {r, g, b};
  for (int c = 0; c < kChannels; ++c) {
    const std::size_t cell = base + kLaneOf[c];
    diffusion::SpreadMatrix<TBurkesWeights>(&rows_[0][cell], &rows_[1][cell], nullptr, scanDirection_,
                                            value[c] - matched[c]);
  }
  position_ += scanDirection_;
  return index;
}

void TBurkesDitherer::EndRow() {
  std::fill(rows_[0].begin(), rows_[0].end(), 0);
  std::swap(rows_[0], rows_[1]);
  TDitherEngine::EndRow();
  position_ = currentColumn_ + kFirstCell;
}

void TBurkesDitherer::DitherRow(const std::uint8_t* source, std::uint8_t* result) {
#ifdef QUILL_DIFFUSION_LANES
  if (FastMatcher() != nullptr) {
    const std::size_t base = std::size_t(position_) * kLanes;
    std::int16_t* const cells[3] = {rows_[0].data() + base, rows_[1].data() + base, nullptr};
    const std::int32_t end = diffusion::RunMatrixRow<TBurkesWeights>(source, result, currentColumn_, lineWidth_,
                                                                     scanDirection_, cells, *FastMatcher());
    position_ += end - currentColumn_;
    currentColumn_ = end;
    return;
  }
#endif
  DitherRowByPixel(source, result);
}

}  // namespace quill
