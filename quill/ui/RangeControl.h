#pragma once
// The common rule of sliders and scroll bars: an integer position inside
// Min..Max. Setting it, by the user or by the program, clamps it to the range
// and fires OnChange only when the stored value really changes.
#include <string>

#include "quill/ui/Control.h"

namespace quill {

enum TScrollBarKind { sbHorizontal, sbVertical };

class TRangeControl : public TControl {
 public:
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Position() const { return position_; }

  // An inverted range collapses to Min. The position is pulled into the new
  // range, which fires OnChange when that moves it.
  void SetRange(int min, int max);
  void SetMin(int min) { SetRange(min, max_ < min ? min : max_); }
  void SetMax(int max) { SetRange(min_ > max ? max : min_, max); }
  void SetPosition(int position);

  TScrollBarKind ScrollKind() const { return scrollKind_; }
  void SetScrollKind(TScrollBarKind kind);

  TNotifyEvent OnChange;

 protected:
  TRangeControl(TControlKind kind, std::string name, int min, int max);

 private:
  int min_;
  int max_;
  int position_;
  TScrollBarKind scrollKind_ = sbHorizontal;
};

}  // namespace quill
