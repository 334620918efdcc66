#include "quill/ui/Form.h"

#include "quill/ui/EventDispatch.h"

namespace quill {

TForm::TForm(std::string name) : TControl(ckForm, std::move(name)) {}

void TForm::SetBorderStyle(TFormBorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  NotifyStateChanged();
}

TControl* TForm::FindControl(const std::string& name) {
  if (name == Name()) return this;
  return FindChild(name);
}

void TForm::ForEachControl(const std::function<void(TControl&)>& visit) {
  visit(*this);
  ForEachDescendant(visit);
}

TTimer* TForm::FindTimer(const std::string& name) const {
  for (TTimer* timer : timers_) {
    if (timer->Name() == name) return timer;
  }
  return nullptr;
}

void TForm::KeyDown(unsigned key, TShiftState shift) {
  if (!OnKeyDown) return;
  Dispatch([&] { OnKeyDown(key, shift); });
}

void TForm::DropFiles(const std::vector<std::string>& paths) {
  if (!OnDropFiles || paths.empty()) return;
  Dispatch([&] { OnDropFiles(paths); });
}

void TForm::Close() {
  if (closed_) return;
  closed_ = true;
  Dispatch(OnClose);
  if (Peer()) Peer()->CloseRequested();
}

}  // namespace quill
