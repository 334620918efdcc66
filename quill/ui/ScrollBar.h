#pragma once
// A system scroll bar. Default range 0..100; the arrows move the position by
// SmallChange and the track by LargeChange. Position rules: TRangeControl.
#include <string>

#include "quill/ui/RangeControl.h"

namespace quill {

class TScrollBar : public TRangeControl {
 public:
  static constexpr int kDefaultMax = 100;

  explicit TScrollBar(std::string name) : TRangeControl(ckScrollBar, std::move(name), 0, kDefaultMax) {}

  int SmallChange() const { return smallChange_; }
  void SetSmallChange(int change) { smallChange_ = change; }
  int LargeChange() const { return largeChange_; }
  void SetLargeChange(int change) { largeChange_ = change; }

  // User input: count arrow clicks or track clicks (negative towards Min).
  void ScrollLines(int count) { Step(count, smallChange_); }
  void ScrollPages(int count) { Step(count, largeChange_); }

 private:
  void Step(int count, int change);

  int smallChange_ = 1;
  int largeChange_ = 1;
};

}  // namespace quill
