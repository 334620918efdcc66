#pragma once
// The rules every decoder of pictures with alpha (TAlphaImage) keeps, checked
// by its fuzz target after a successful load: the pixel count is the size,
// the translucency flag says whether any pixel is below full alpha, and the
// pixels move into a bitmap whole, with the matching draw mode.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz/FuzzOutcome.h"
#include "quill/base/Errors.h"
#include "quill/imaging/AlphaImage.h"
#include "quill/imaging/Bitmap32.h"

namespace quill::fuzzcheck {

inline void CheckAlphaImage(TAlphaImage& image) {
  const auto& pixels = image.Pixels();
  if (pixels.size() != std::size_t(image.Width()) * std::size_t(image.Height())) std::abort();
  const bool translucent = std::any_of(pixels.begin(), pixels.end(), [](TColor32 c) { return c >> 24 != 255; });
  if (translucent != image.Translucent()) std::abort();
  const int width = image.Width(), height = image.Height();
  const TColor32 first = pixels.empty() ? 0 : pixels.front();
  TBitmap32 bitmap;
  image.MoveInto(bitmap);
  if (bitmap.Width() != width || bitmap.Height() != height) std::abort();
  if (!bitmap.Empty() && bitmap.GetPixelUnchecked(0, 0) != first) std::abort();
  if (bitmap.DrawMode() != (translucent ? dmBlend : dmOpaque)) std::abort();
}

// The whole target for a decoder class: every input either loads and keeps
// the rules above or raises one of the program's exceptions.
template <class TImage>
int FuzzAlphaImage(const std::uint8_t* data, std::size_t size) {
  TImage image;
  try {
    image.LoadFromStream(data, size);
  } catch (const Exception&) {
    return fuzzoutcome::State(fuzzoutcome::TOutcome::Refused);
  }
  fuzzoutcome::State(fuzzoutcome::TOutcome::Loads);
  CheckAlphaImage(image);
  return 0;
}

}  // namespace quill::fuzzcheck
