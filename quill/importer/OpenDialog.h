#pragma once
// The importer's open-file dialog component: its filter and the file name it
// remembers between uses. The remembered name is where the next dialog starts
// and what "Reset" reloads; "Clip->Main" clears it.
#include <string>

#include "quill/platform/FileDialog.h"

namespace quill {

class TOpenDialog {
 public:
  std::string Filter;
  std::string FileName;

  // Shows the dialog starting at FileName. True when the user chose a file,
  // which FileName then holds; a cancelled dialog changes nothing.
  bool Execute(IFileDialog& dialog);
};

}  // namespace quill
