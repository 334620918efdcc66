#pragma once
// The geometry of one rescale: how large the scaled picture is, how far the
// viewport may scroll over it, and which window of it the viewport shows.
// Only that window is ever computed, so a rescale costs the same for any
// picture size; the sizes are those the whole scaled picture would have.
#include <cstdint>

#include "quill/imaging/Colour32.h"
#include "quill/imaging/Rect.h"

namespace quill {

// Slider positions per unit of scale: position 500 is scale 1.00.
constexpr int kScaleUnit = 500;

struct TScaledViewport {
  std::int32_t Width = 0, Height = 0;  // the scaled picture's size
  std::int32_t ScrollMaxX = 0, ScrollMaxY = 0;
  std::int32_t ScrollX = 0, ScrollY = 0;       // the offsets, clamped to the maxima
  std::int32_t CopyWidth = 0, CopyHeight = 0;  // the window the viewport shows
};

// position: the scale slider (0 .. 1000). source: the source picture's size.
// viewport: the viewport bitmap's size. scroll: the offsets before the rescale.
// bounds: the scaling transformation's transformed bounds.
//
// The picture is as wide as k W + 1 (k = position div 500) but never narrower
// than the viewport at its offset; likewise in height. The maxima are the
// bounds' right and bottom less the viewport's last column and row, never
// negative.
TScaledViewport PlanScaledViewport(int position, int sourceWidth, int sourceHeight, int viewportWidth,
                                   int viewportHeight, int scrollX, int scrollY, const TRect& bounds);

}  // namespace quill
