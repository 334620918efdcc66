#pragma once
// Where the parts of a drawn slider lie and what a mouse position means: two
// arrow buttons at the ends (when there is room), the track between them and
// a handle that travels along the track from Min (left or top) to Max. Plain
// arithmetic, shared by painting and hit testing.
#include "quill/imaging/Rect.h"

namespace quill {

enum TGaugePart { gpNone, gpDecrease, gpIncrease, gpTrackBefore, gpTrackAfter, gpHandle };

struct TGaugeLayout {
  TRect DecreaseArrow;  // empty when the bar is too short for arrows
  TRect IncreaseArrow;
  TRect Track;
  TRect Handle;
};

class TGaugeGeometry {
 public:
  // handleSize 0 makes the handle as long as the bar is thick.
  TGaugeGeometry(int width, int height, bool vertical, int handleSize, int min, int max);

  TGaugeLayout Layout(int position) const;
  TGaugePart HitTest(int position, int x, int y) const;
  // The offset of (x, y) along the bar's axis.
  int AxisOffset(int x, int y) const { return vertical_ ? y : x; }
  // The position that puts the handle's leading edge at offset along the
  // axis, rounded to the nearest step and kept inside Min..Max.
  int PositionFromHandleStart(int offset) const;
  // Where the handle's leading edge is for a position.
  int HandleStart(int position) const;
  // How far a click on the track moves the handle: a tenth of the range, at
  // least 1.
  int PageStep() const;

 private:
  TRect AlongAxis(int start, int end) const;

  int width_;
  int height_;
  bool vertical_;
  int min_;
  int max_;
  int arrowLength_;
  int trackStart_;
  int trackLength_;
  int handleLength_;
};

}  // namespace quill
