#include "quill/importer/OpenDialog.h"

namespace quill {

bool TOpenDialog::Execute(IFileDialog& dialog) {
  const std::optional<std::string> chosen = dialog.ChooseFileToOpen(Filter, FileName);
  if (!chosen) return false;
  FileName = *chosen;
  return true;
}

}  // namespace quill
