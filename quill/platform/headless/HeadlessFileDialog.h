#pragma once
// An open-file dialog answered from a script: each call takes the next scripted
// answer (a path, or a cancel); with no answer left the dialog is cancelled.
// Every call is recorded with its filter and initial file name. Like the
// system's dialog, an answer makes the chosen file's folder the current
// directory (when that folder exists), unless told to keep it.
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "quill/platform/FileDialog.h"

namespace quill {

class THeadlessFileDialog : public IFileDialog {
 public:
  struct TRequest {
    std::string Filter;
    std::string InitialFileName;
  };

  void AnswerWith(std::string path) { answers_.emplace_back(std::move(path)); }
  void AnswerCancel() { answers_.emplace_back(std::nullopt); }
  std::size_t PendingAnswers() const { return answers_.size(); }
  const std::vector<TRequest>& Requests() const { return requests_; }
  void KeepCurrentDirectory() { keepsDirectory_ = true; }

  std::optional<std::string> ChooseFileToOpen(const std::string& filter, const std::string& initialFileName) override {
    requests_.push_back(TRequest{filter, initialFileName});
    if (answers_.empty()) return std::nullopt;
    std::optional<std::string> answer = std::move(answers_.front());
    answers_.pop_front();
    if (answer && !keepsDirectory_) {
      std::error_code ignored;
      std::filesystem::current_path(std::filesystem::path(*answer).parent_path(), ignored);
    }
    return answer;
  }

 private:
  std::deque<std::optional<std::string>> answers_;
  std::vector<TRequest> requests_;
  bool keepsDirectory_ = false;
};

}  // namespace quill
