#pragma once
// A flat slider: a coloured track (Color) with a handle of HandleSize pixels.
// Default range 0..100. Position rules: TRangeControl.
#include <string>

#include "quill/ui/RangeControl.h"

namespace quill {

class TGaugeBar : public TRangeControl {
 public:
  static constexpr int kDefaultMax = 100;
  static constexpr int kDefaultHandleSize = 16;

  explicit TGaugeBar(std::string name) : TRangeControl(ckGaugeBar, std::move(name), 0, kDefaultMax) {}

  int HandleSize() const { return handleSize_; }
  void SetHandleSize(int size);

 private:
  int handleSize_ = kDefaultHandleSize;
};

}  // namespace quill
