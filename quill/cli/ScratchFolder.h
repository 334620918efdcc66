#pragma once
// A private temporary folder, by default the process's current directory while
// the object lives: the window writes its transient file and its bookmark
// store into its current directory, and quill-cli must leave nothing behind,
// neither beside the pictures nor where it was started. The destructor goes
// back to the previous current directory and removes the folder with all it
// holds.
#include <filesystem>

namespace quill {

class TScratchFolder {
 public:
  // Throws std::filesystem::filesystem_error when no folder can be made or
  // entered. With enter false the current directory stays where it is.
  explicit TScratchFolder(bool enter = true);
  ~TScratchFolder();
  TScratchFolder(const TScratchFolder&) = delete;
  TScratchFolder& operator=(const TScratchFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

}  // namespace quill
