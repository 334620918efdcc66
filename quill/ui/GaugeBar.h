#pragma once
// A flat slider: a coloured track (Color) with a handle of HandleSize pixels.
// Default range 0..100. Position rules: TRangeControl.
//
// Mouse input, in the bar's own pixels: pressing an arrow steps by one,
// pressing the track pages towards the mouse, and both repeat while held
// (RepeatTick, called by the peer's timer); pressing the handle grabs it and
// every move puts it under the mouse, keeping the grab point.
#include <string>

#include "quill/ui/GaugeBarGeometry.h"
#include "quill/ui/RangeControl.h"

namespace quill {

class TGaugeBar : public TRangeControl {
 public:
  static constexpr int kDefaultMax = 100;
  static constexpr int kDefaultHandleSize = 16;

  explicit TGaugeBar(std::string name) : TRangeControl(ckGaugeBar, std::move(name), 0, kDefaultMax) {}

  int HandleSize() const { return handleSize_; }
  void SetHandleSize(int size);

  // Where the parts lie for the bar's size, kind, handle size and range.
  TGaugeGeometry Geometry() const;

  // Left button pressed: returns the part now held (gpNone: nothing to track;
  // a disabled or hidden bar holds nothing). An arrow or the track has
  // already taken its first step when this returns.
  TGaugePart MouseDown(int x, int y);
  void MouseMove(int x, int y);
  // One auto-repeat step of the held arrow or track. False when nothing is
  // held that repeats or the step moved nothing, so the repeating can stop.
  bool RepeatTick();
  // Button released or the mouse lost: the press ends. False when nothing
  // was held.
  bool MouseUp();
  TGaugePart HeldPart() const { return held_; }

 private:
  // One step of the held arrow or track; false when it moved nothing.
  bool StepHeldPart();

  int handleSize_ = kDefaultHandleSize;
  TGaugePart held_ = gpNone;
  int grabOffset_ = 0;  // from the handle's leading edge to the mouse
  int mouseX_ = 0;
  int mouseY_ = 0;
};

}  // namespace quill
