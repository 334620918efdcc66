#pragma once
// Message boxes shown by the system.
#include "quill/platform/Desktop.h"
#include "quill/platform/MessageBox.h"

namespace quill {

class TWin32MessageBox : public IMessageBox {
 public:
  explicit TWin32MessageBox(TWindowHandle owner = 0) : owner_(owner) {}
  // The window the boxes are modal to; set once the main window exists.
  void SetOwner(TWindowHandle owner) { owner_ = owner; }

  using IMessageBox::Show;
  void Show(const std::string& text, const std::string& caption, TMessageStyle style) override;

 private:
  TWindowHandle owner_;
};

}  // namespace quill
