#pragma once
// The system's open-file dialog. It keeps the system's habit of making the
// chosen file's folder the current directory.
#include "quill/platform/Desktop.h"
#include "quill/platform/FileDialog.h"

namespace quill {

class TWin32FileDialog : public IFileDialog {
 public:
  explicit TWin32FileDialog(TWindowHandle owner = 0) : owner_(owner) {}
  // The window the dialog is modal to; set once the main window exists.
  void SetOwner(TWindowHandle owner) { owner_ = owner; }

  std::optional<std::string> ChooseFileToOpen(const std::string& filter, const std::string& initialFileName) override;

 private:
  TWindowHandle owner_;
};

}  // namespace quill
