#pragma once
// A TForm1 on in-memory services, started in a scratch folder of its own (for
// the bookmark store its start-up creates), which goes again with the form.
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "quill/platform/headless/HeadlessDesktop.h"
#include "quill/platform/headless/HeadlessFileDialog.h"
#include "quill/platform/headless/HeadlessMessageBox.h"
#include "quill/platform/headless/HeadlessShell.h"
#include "quill/platform/headless/MemoryClipboard.h"
#include "quill/shell/Form1.h"

namespace quill {

class THeadlessForm {
 public:
  explicit THeadlessForm(const std::string& folderName) : Dir(std::filesystem::temp_directory_path() / folderName) {
    std::filesystem::create_directories(Dir);
    form_ = std::make_unique<TForm1>(Services, Dir.string() + "/");
  }
  ~THeadlessForm() {
    form_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(Dir, ignored);
  }
  THeadlessForm(const THeadlessForm&) = delete;
  THeadlessForm& operator=(const THeadlessForm&) = delete;

  TForm1& Form() { return *form_; }
  // Closes the window early; the services and the folder stay.
  void DestroyForm() { form_.reset(); }

  TMemoryClipboard Clipboard;
  THeadlessDesktop Desktop;
  THeadlessFileDialog FileDialog;
  THeadlessMessageBox Messages;
  THeadlessShell Shell;
  TServices Services{Clipboard, Desktop, FileDialog, Messages, Shell};
  const std::filesystem::path Dir;

 private:
  std::unique_ptr<TForm1> form_;
};

}  // namespace quill
