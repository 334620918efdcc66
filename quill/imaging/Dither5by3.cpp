#include "quill/imaging/Dither5by3.h"

#include <algorithm>

#include "quill/imaging/Errors.h"
#include "quill/imaging/ErrorDiffusion.h"

namespace quill {

namespace {

using diffusion::kChannels;

constexpr std::int32_t kSpareCells = 4;   // two at each end of a row
constexpr std::int32_t kFirstCell = 2;    // the cell of column 0

// In every matrix the divisor is the sum of the weights.
struct TStuckiWeights {
  static constexpr int kRows = 3;
  static constexpr std::int32_t kDivisor = 42;
  static constexpr std::int32_t kCurrent[2] = {8, 4};
  static constexpr std::int32_t kNext[5] = {2, 4, 8, 4, 2};
  static constexpr std::int32_t kAfter[5] = {1, 2, 4, 2, 1};
};

struct TSierraWeights {
  static constexpr int kRows = 3;
  static constexpr std::int32_t kDivisor = 32;
  static constexpr std::int32_t kCurrent[2] = {5, 3};
  static constexpr std::int32_t kNext[5] = {2, 4, 5, 4, 2};
  static constexpr std::int32_t kAfter[5] = {0, 2, 3, 2, 0};
};

struct TJaJuNiWeights {
  static constexpr int kRows = 3;
  static constexpr std::int32_t kDivisor = 48;
  static constexpr std::int32_t kCurrent[2] = {7, 5};
  static constexpr std::int32_t kNext[5] = {3, 5, 7, 5, 3};
  static constexpr std::int32_t kAfter[5] = {1, 3, 5, 3, 1};
};

}  // namespace

T5by3Ditherer::T5by3Ditherer(std::int32_t width, TColorLookup& matcher, std::int32_t divisor)
    : TDitherEngine(width, matcher), divisor_(divisor) {
  const std::size_t cells = std::size_t(width < 0 ? 0 : width) + kSpareCells;
  for (auto& channel : rows_)
    for (auto& row : channel) row.assign(cells, 0);
}

std::uint8_t T5by3Ditherer::DitherPixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t& r,
                                        std::uint8_t& g, std::uint8_t& b) {
  if (currentColumn_ < 0 || currentColumn_ >= lineWidth_)
    throw EInvalidGraphicOperation("Dither column out of range");
  const std::int32_t channel[kChannels] = {red, green, blue};
  std::int32_t value[kChannels];
  for (int c = 0; c < kChannels; ++c) {
    // Signed division truncates toward zero.
    value[c] = diffusion::ClampChannel(channel[c] + (rows_[c][0][position_] + divisor_ / 2) / divisor_);
  }
  const std::uint8_t index =
      TDitherEngine::DitherPixel(std::uint8_t(value[0]), std::uint8_t(value[1]), std::uint8_t(value[2]), r, g, b);
  const std::int32_t matched[kChannels] = {r, g, b};
  for (int c = 0; c < kChannels; ++c) {
    SpreadError(rows_[c][0].data() + position_, rows_[c][1].data() + position_, rows_[c][2].data() + position_,
                value[c] - matched[c]);
  }
  position_ += scanDirection_;
  return index;
}

void T5by3Ditherer::EndRow() {
  // The finished row is cleared and becomes the row after next.
  for (auto& channel : rows_) {
    std::fill(channel[0].begin(), channel[0].end(), 0);
    std::rotate(channel.begin(), channel.begin() + 1, channel.end());
  }
  TDitherEngine::EndRow();
  position_ = currentColumn_ + kFirstCell;
}

template <class Weights>
bool T5by3Ditherer::RunFastRow(const std::uint8_t* source, std::uint8_t* result) {
  if (FastMatcher() == nullptr) return false;
  std::int32_t* cells[kChannels][3];
  for (int c = 0; c < kChannels; ++c)
    for (int r = 0; r < 3; ++r) cells[c][r] = rows_[c][r].data() + position_;
  const std::int32_t end = diffusion::RunMatrixRow<Weights>(source, result, currentColumn_, lineWidth_,
                                                            scanDirection_, cells, {*FastMatcher()});
  position_ += end - currentColumn_;
  currentColumn_ = end;
  return true;
}

TStuckiDitherer::TStuckiDitherer(std::int32_t width, TColorLookup& matcher)
    : T5by3Ditherer(width, matcher, TStuckiWeights::kDivisor) {}

void TStuckiDitherer::SpreadError(std::int32_t* current, std::int32_t* next, std::int32_t* after,
                                  std::int32_t error) {
  diffusion::SpreadMatrix<TStuckiWeights>(current, next, after, scanDirection_, error);
}

void TStuckiDitherer::DitherRow(const std::uint8_t* source, std::uint8_t* result) {
  if (!RunFastRow<TStuckiWeights>(source, result)) DitherRowByPixel(source, result);
}

TSierraDitherer::TSierraDitherer(std::int32_t width, TColorLookup& matcher)
    : T5by3Ditherer(width, matcher, TSierraWeights::kDivisor) {}

void TSierraDitherer::SpreadError(std::int32_t* current, std::int32_t* next, std::int32_t* after,
                                  std::int32_t error) {
  diffusion::SpreadMatrix<TSierraWeights>(current, next, after, scanDirection_, error);
}

void TSierraDitherer::DitherRow(const std::uint8_t* source, std::uint8_t* result) {
  if (!RunFastRow<TSierraWeights>(source, result)) DitherRowByPixel(source, result);
}

TJaJuNiDitherer::TJaJuNiDitherer(std::int32_t width, TColorLookup& matcher)
    : T5by3Ditherer(width, matcher, TJaJuNiWeights::kDivisor) {}

void TJaJuNiDitherer::SpreadError(std::int32_t* current, std::int32_t* next, std::int32_t* after,
                                  std::int32_t error) {
  diffusion::SpreadMatrix<TJaJuNiWeights>(current, next, after, scanDirection_, error);
}

void TJaJuNiDitherer::DitherRow(const std::uint8_t* source, std::uint8_t* result) {
  if (!RunFastRow<TJaJuNiWeights>(source, result)) DitherRowByPixel(source, result);
}

}  // namespace quill
