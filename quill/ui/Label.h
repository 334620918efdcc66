#pragma once
// A label: text drawn straight onto its parent (transparent unless told
// otherwise), wrapped at the control's width when WordWrap is set. Clicks as
// TStaticText.
#include <string>

#include "quill/ui/StaticText.h"

namespace quill {

class TLabel : public TStaticText {
 public:
  explicit TLabel(std::string name) : TStaticText(ckLabel, std::move(name)) {}

  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wordWrap);

 private:
  bool transparent_ = true;
  bool wordWrap_ = false;
};

}  // namespace quill
