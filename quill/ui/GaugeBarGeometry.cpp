#include "quill/ui/GaugeBarGeometry.h"

#include <algorithm>

namespace quill {
namespace {

constexpr int kPagesPerRange = 10;
// The handle never shrinks below this, so it stays grabbable.
constexpr int kMinHandleLength = 4;

bool Contains(const TRect& r, int x, int y) { return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom; }

}  // namespace

TGaugeGeometry::TGaugeGeometry(int width, int height, bool vertical, int handleSize, int min, int max)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      vertical_(vertical),
      min_(min),
      max_(std::max(min, max)) {
  const int length = vertical_ ? height_ : width_;
  const int thickness = vertical_ ? width_ : height_;
  const int wantedHandle = handleSize > 0 ? handleSize : thickness;
  // Arrows are squares; they are left out when they would squeeze the handle.
  arrowLength_ = length >= 2 * thickness + wantedHandle ? thickness : 0;
  trackStart_ = arrowLength_;
  trackLength_ = std::max(length - 2 * arrowLength_, 0);
  handleLength_ = std::min(std::max(wantedHandle, kMinHandleLength), trackLength_);
}

TRect TGaugeGeometry::AlongAxis(int start, int end) const {
  return vertical_ ? TRect{0, start, width_, end} : TRect{start, 0, end, height_};
}

int TGaugeGeometry::HandleStart(int position) const {
  const int range = max_ - min_;
  const int span = trackLength_ - handleLength_;
  if (range <= 0 || span <= 0) return trackStart_;
  const int clamped = std::clamp(position, min_, max_);
  // Nearest pixel, so that a handle dragged to a pixel is drawn on it.
  return trackStart_ + int(((long long)span * (clamped - min_) + range / 2) / range);
}

TGaugeLayout TGaugeGeometry::Layout(int position) const {
  TGaugeLayout layout;
  if (arrowLength_ > 0) {
    layout.DecreaseArrow = AlongAxis(0, arrowLength_);
    layout.IncreaseArrow = AlongAxis(trackStart_ + trackLength_, trackStart_ + trackLength_ + arrowLength_);
  }
  layout.Track = AlongAxis(trackStart_, trackStart_ + trackLength_);
  const int handle = HandleStart(position);
  layout.Handle = AlongAxis(handle, handle + handleLength_);
  return layout;
}

TGaugePart TGaugeGeometry::HitTest(int position, int x, int y) const {
  const TGaugeLayout layout = Layout(position);
  if (Contains(layout.DecreaseArrow, x, y)) return gpDecrease;
  if (Contains(layout.IncreaseArrow, x, y)) return gpIncrease;
  if (Contains(layout.Handle, x, y)) return gpHandle;
  if (!Contains(layout.Track, x, y)) return gpNone;
  const int offset = AxisOffset(x, y);
  return offset < HandleStart(position) ? gpTrackBefore : gpTrackAfter;
}

int TGaugeGeometry::PositionFromHandleStart(int offset) const {
  const int range = max_ - min_;
  const int span = trackLength_ - handleLength_;
  if (range <= 0 || span <= 0) return min_;
  const long long along = std::clamp(offset - trackStart_, 0, span);
  // Nearest step: add half the span before the truncating division.
  return min_ + int((along * range + span / 2) / span);
}

int TGaugeGeometry::PageStep() const { return std::max((max_ - min_) / kPagesPerRange, 1); }

}  // namespace quill
