#pragma once
// A one-line text with an optional border that reacts to clicks and double
// clicks. A user's double click arrives as Click then DblClick, the order in
// which the system reports the two presses.
#include <string>

#include "quill/ui/Control.h"

namespace quill {

enum TStaticBorderStyle { sbsNone, sbsSingle, sbsSunken };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
// Where a one-line text sits in a box taller than its font's line: a text in
// a smaller font beside others can sit on their baseline with tlBottom.
enum TTextLayout { tlTop, tlCenter, tlBottom };

class TStaticText : public TControl {
 public:
  explicit TStaticText(std::string name) : TStaticText(ckStaticText, std::move(name)) {}

  TStaticBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TStaticBorderStyle style);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout layout);

  void Click();
  void DblClick();

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;

 protected:
  TStaticText(TControlKind kind, std::string name) : TControl(kind, std::move(name)) {}

 private:
  TStaticBorderStyle borderStyle_ = sbsNone;
  TAlignment alignment_ = taLeftJustify;
  TTextLayout layout_ = tlTop;
};

}  // namespace quill
