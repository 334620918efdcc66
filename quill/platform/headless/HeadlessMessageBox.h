#pragma once
// Message boxes recorded instead of shown; each returns at once as if the user
// had pressed OK.
#include <string>
#include <vector>

#include "quill/platform/MessageBox.h"

namespace quill {

class THeadlessMessageBox : public IMessageBox {
 public:
  struct TShownMessage {
    std::string Text;
    std::string Caption;
    TMessageStyle Style = msError;
  };

  using IMessageBox::Show;
  void Show(const std::string& text, const std::string& caption, TMessageStyle style) override {
    shown_.push_back(TShownMessage{text, caption, style});
  }

  const std::vector<TShownMessage>& Shown() const { return shown_; }
  void Clear() { shown_.clear(); }

 private:
  std::vector<TShownMessage> shown_;
};

}  // namespace quill
