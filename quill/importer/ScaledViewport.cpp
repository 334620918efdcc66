#include "quill/importer/ScaledViewport.h"

#include <algorithm>

namespace quill {
namespace {

std::int32_t ScaledSide(int k, int sourceSide, int viewportSide, int scroll) {
  const std::int64_t picture = std::int64_t(k) * sourceSide + 1;
  const std::int64_t window = std::int64_t(viewportSide) + scroll;
  // Sides are capped at 32767 and k at 2, so the result fits comfortably.
  return std::int32_t(std::max(picture, window));
}

void ClampScroll(std::int32_t& scroll, std::int32_t& scrollMax, std::int32_t boundsEnd, int viewportSide) {
  scrollMax = std::max(0, boundsEnd - (viewportSide - 1));
  if (scroll > scrollMax) scroll = scrollMax;
}

}  // namespace

TScaledViewport PlanScaledViewport(int position, int sourceWidth, int sourceHeight, int viewportWidth,
                                   int viewportHeight, int scrollX, int scrollY, const TRect& bounds) {
  TScaledViewport v;
  const int k = position / kScaleUnit;
  // The picture's size takes the offsets as they were before the clamp below.
  v.Width = ScaledSide(k, sourceWidth, viewportWidth, scrollX);
  v.Height = ScaledSide(k, sourceHeight, viewportHeight, scrollY);
  v.ScrollX = scrollX;
  v.ScrollY = scrollY;
  ClampScroll(v.ScrollX, v.ScrollMaxX, bounds.Right, viewportWidth);
  ClampScroll(v.ScrollY, v.ScrollMaxY, bounds.Bottom, viewportHeight);
  v.CopyWidth = std::max(0, std::min<std::int32_t>(viewportWidth, v.Width + v.ScrollX));
  v.CopyHeight = std::max(0, std::min<std::int32_t>(viewportHeight, v.Height + v.ScrollY));
  // The window must lie inside the picture: it does, since the picture is at
  // least the viewport wide past the unclamped offset, which is no smaller.
  v.CopyWidth = std::min(v.CopyWidth, v.Width - v.ScrollX);
  v.CopyHeight = std::min(v.CopyHeight, v.Height - v.ScrollY);
  return v;
}

}  // namespace quill
