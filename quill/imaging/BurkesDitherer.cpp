#include "quill/imaging/BurkesDitherer.h"

#include <algorithm>

#include "quill/imaging/Errors.h"
#include "quill/imaging/ErrorDiffusion.h"

namespace quill {

namespace {

using diffusion::kChannels;

constexpr std::int32_t kSpareCells = 4;  // two at each end of a row
constexpr std::int32_t kFirstCell = 2;   // the cell of column 0

struct TBurkesWeights {
  static constexpr int kRows = 2;
  static constexpr std::int32_t kDivisor = 32;
  static constexpr std::int32_t kCurrent[2] = {8, 4};
  static constexpr std::int32_t kNext[5] = {2, 4, 8, 4, 2};
};

}  // namespace

TBurkesDitherer::TBurkesDitherer(std::int32_t width, TColorLookup& matcher) : TDitherEngine(width, matcher) {
  const std::size_t cells = std::size_t(width < 0 ? 0 : width) + kSpareCells;
  for (auto& channel : rows_)
    for (auto& row : channel) row.assign(cells, 0);
}

std::uint8_t TBurkesDitherer::DitherPixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t& r,
                                          std::uint8_t& g, std::uint8_t& b) {
  if (currentColumn_ < 0 || currentColumn_ >= lineWidth_)
    throw EInvalidGraphicOperation("Dither column out of range");
  const std::int32_t channel[kChannels] = {red, green, blue};
  std::int32_t value[kChannels];
  for (int c = 0; c < kChannels; ++c)
    value[c] = diffusion::MatrixCorrected<TBurkesWeights>(channel[c], rows_[c][0][position_]);
  const std::uint8_t index =
      TDitherEngine::DitherPixel(std::uint8_t(value[0]), std::uint8_t(value[1]), std::uint8_t(value[2]), r, g, b);
  const std::int32_t matched[kChannels] = {r, g, b};
  for (int c = 0; c < kChannels; ++c) {
    diffusion::SpreadMatrix<TBurkesWeights>(rows_[c][0].data() + position_, rows_[c][1].data() + position_,
                                            nullptr, scanDirection_, value[c] - matched[c]);
  }
  position_ += scanDirection_;
  return index;
}

void TBurkesDitherer::EndRow() {
  for (auto& channel : rows_) {
    std::fill(channel[0].begin(), channel[0].end(), 0);
    std::swap(channel[0], channel[1]);
  }
  TDitherEngine::EndRow();
  position_ = currentColumn_ + kFirstCell;
}

void TBurkesDitherer::DitherRow(const std::uint8_t* source, std::uint8_t* result) {
  if (FastMatcher() == nullptr) {
    DitherRowByPixel(source, result);
    return;
  }
  std::int32_t* cells[kChannels][3];
  for (int c = 0; c < kChannels; ++c) {
    cells[c][0] = rows_[c][0].data() + position_;
    cells[c][1] = rows_[c][1].data() + position_;
    cells[c][2] = nullptr;
  }
  const std::int32_t end = diffusion::RunMatrixRow<TBurkesWeights>(source, result, currentColumn_, lineWidth_,
                                                                   scanDirection_, cells, {*FastMatcher()});
  position_ += end - currentColumn_;
  currentColumn_ = end;
}

}  // namespace quill
