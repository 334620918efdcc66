#pragma once
// Modal message boxes with a single OK button.
#include <string>

namespace quill {

enum TMessageStyle {
  msError,         // the top-level handler's report of an exception
  msConfirmation,  // a question-mark box (used by the program with an OK button only)
  msInformation,
};

class IMessageBox {
 public:
  virtual ~IMessageBox() = default;

  // Shows text in a modal box titled caption and returns when the user closes it.
  virtual void Show(const std::string& text, const std::string& caption, TMessageStyle style) = 0;
  void Show(const std::string& text, const std::string& caption) { Show(text, caption, msError); }
};

}  // namespace quill
