#pragma once
// The system's open-file dialog.
#include <optional>
#include <string>

namespace quill {

class IFileDialog {
 public:
  virtual ~IFileDialog() = default;

  // Shows the modal open-file dialog and returns the chosen file's full path,
  // or nothing when the user cancels.
  //   filter: pairs of description and pattern list, all separated by '|',
  //     e.g. "BMPs|*.bmp|GIFs|*.gif" (pattern lists separate patterns by ';').
  //   initialFileName: the file name the dialog starts with (may be empty).
  // The dialog makes the chosen file's folder the process's current directory
  // (the in-memory dialog too, unless it is told to keep it).
  virtual std::optional<std::string> ChooseFileToOpen(const std::string& filter,
                                                      const std::string& initialFileName) = 0;
};

}  // namespace quill
