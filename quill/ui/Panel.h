#pragma once
// A container with a bevelled frame and a background colour. Its children are
// placed relative to its top-left corner.
#include <string>

#include "quill/ui/Control.h"

namespace quill {

enum TBevelCut { bvNone, bvLowered, bvRaised };

class TPanel : public TControl {
 public:
  explicit TPanel(std::string name) : TControl(ckPanel, std::move(name)) {}

  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut bevel);
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut bevel);

 private:
  TBevelCut bevelOuter_ = bvRaised;
  TBevelCut bevelInner_ = bvNone;
};

}  // namespace quill
