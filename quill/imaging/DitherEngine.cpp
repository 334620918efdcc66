#include "quill/imaging/DitherEngine.h"

#include <typeinfo>

#include "quill/imaging/ErrorDiffusion.h"

namespace quill {

TDitherEngine::TDitherEngine(std::int32_t width, TColorLookup& matcher)
    : lineWidth_(width), matcher_(matcher), fast_(dynamic_cast<TFastColorLookup*>(&matcher)) {}

std::uint8_t TDitherEngine::DitherPixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t& r,
                                        std::uint8_t& g, std::uint8_t& b) {
  const std::uint8_t index = matcher_.MatchColor(red, green, blue, r, g, b);
  currentColumn_ += scanDirection_;
  return index;
}

void TDitherEngine::EndRow() {
  scanDirection_ = -scanDirection_;
  currentColumn_ = scanDirection_ > 0 ? 0 : lineWidth_ - 1;
}

void TDitherEngine::DitherRow(const std::uint8_t* source, std::uint8_t* result) {
  // A descendant that keeps this loop but changes DitherPixel must get its own
  // DitherPixel called, so only the plain engine takes the inlined loop.
  if (fast_ == nullptr || typeid(*this) != typeid(TDitherEngine)) {
    DitherRowByPixel(source, result);
    return;
  }
  // The scan order matters even here: the first colour to miss a cache cell
  // decides the answer for every later colour with the same key.
  // The table, its empty value and the width sit in locals so that the
  // stores of the indices do not make the compiler read them again.
  TFastColorLookup& lookup = *fast_;
  const std::uint32_t* cells = lookup.Cell(0);
  const std::uint32_t empty = lookup.EmptyCell();
  const std::uint32_t width = std::uint32_t(lineWidth_);
  const std::int32_t step = scanDirection_;
  std::int32_t column = currentColumn_;
  const std::uint8_t* pixel = source + std::intptr_t(column) * diffusion::kBytesPerPixel;
  const std::intptr_t pixelStep = std::intptr_t(step) * diffusion::kBytesPerPixel;
  for (; std::uint32_t(column) < width; column += step, pixel += pixelStep) {
    const std::uint32_t key = TFastColorLookup::Key(pixel[2], pixel[1], pixel[0]);
    if (cells[key] == empty) lookup.Resolve(pixel[2], pixel[1], pixel[0]);
    result[column] = TFastColorLookup::IndexOf(cells[key]);
  }
  currentColumn_ = column;
}

void TDitherEngine::DitherRowByPixel(const std::uint8_t* source, std::uint8_t* result) {
  std::uint8_t r, g, b;  // the matched colour is not needed here
  while (currentColumn_ >= 0 && currentColumn_ < lineWidth_) {
    const std::int32_t column = currentColumn_;
    const std::uint8_t* pixel = source + std::intptr_t(column) * diffusion::kBytesPerPixel;
    result[column] = DitherPixel(pixel[2], pixel[1], pixel[0], r, g, b);
  }
}

}  // namespace quill
