#include "quill/cli/CliWorkers.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <sstream>

#include "quill/cli/CliOutput.h"
#include "quill/cli/CliRun.h"
#include "quill/cli/CliSession.h"
#include "quill/cli/ScratchFolder.h"
#include "quill/cli/WorkerGroup.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

constexpr char kConverted = '0', kFailed = '1';

fs::path MessageFile(const fs::path& jobFolder, std::size_t picture) {
  return jobFolder / (std::to_string(picture) + ".msg");
}

// The picture's number from a worker's line; false for anything else, which
// a worker that lost its way might write.
bool ParsePictureNumber(const std::string& line, std::size_t count, std::size_t& picture) {
  if (line.empty() || line.size() > 9 || line.find_first_not_of("0123456789") != std::string::npos) return false;
  picture = std::stoul(line);
  return picture < count;
}

// "12/40 done" kept on one terminal line: each drawing overwrites the last.
class TProgressLine {
 public:
  TProgressLine(bool shown, std::size_t total, std::ostream& err) : shown_(shown), total_(total), err_(err) {}
  void Draw(std::size_t done) {
    if (!shown_) return;
    const std::string text = std::to_string(done) + "/" + std::to_string(total_) + " done";
    err_ << "\r" << text << std::flush;
    width_ = text.size();
  }
  // Clears the line so that a message starts at its beginning.
  void Clear() {
    if (shown_ && width_) err_ << "\r" << std::string(width_, ' ') << "\r" << std::flush;
    width_ = 0;
  }

 private:
  bool shown_;
  std::size_t total_;
  std::ostream& err_;
  std::size_t width_ = 0;
};

// Claims picture i of the job in folder by making its scratch folder, and
// converts it there as its own window would; false when another process has
// it. The picture's status and messages go to its message file, whole or not
// at all. The current directory is the scratch folder while the picture is
// converted (the window keeps its transient file there) and is put back after.
bool ConvertIfUnclaimed(const TCliOptions& options, const TAbsolutePaths& paths, const fs::path& folder,
                        std::size_t i) {
  const fs::path scratch = folder / std::to_string(i);
  if (!fs::create_directory(scratch)) return false;
  const fs::path home = fs::current_path();
  fs::current_path(scratch);
  std::ostringstream messages;
  const bool converted =
      ConvertPicture(options, options.Pictures[i], paths.Pictures[i], paths.Outs[i], (scratch / "").string(), messages);
  fs::current_path(home);
  // Emptied now, in parallel with the other processes' pictures, rather
  // than all at the end: each file removed costs about half a millisecond
  // under Wine. The folder itself stays as the claim.
  std::error_code ignored;
  for (fs::directory_iterator it(scratch, ignored), end; it != end; it.increment(ignored))
    fs::remove_all(it->path(), ignored);
  const fs::path written = MessageFile(folder, i);
  fs::path partial = written;
  partial += ".part";
  {
    std::ofstream file(partial, std::ios::binary);
    file << (converted ? kConverted : kFailed) << messages.str();
    if (!file.flush()) throw fs::filesystem_error("cannot write", partial, std::make_error_code(std::errc::io_error));
  }
  fs::rename(partial, written);
  return true;
}

}  // namespace

int RunInWorkers(const TCliOptions& options, const TAbsolutePaths& paths, const std::vector<std::string>& args,
                 int jobs, const TCliProcess& process, std::ostream& err) {
  const std::size_t count = options.Pictures.size();
  const TScratchFolder jobFolder(false);
  std::vector<std::string> workerArgs{kWorkerOption + jobFolder.Path().string()};
  workerArgs.insert(workerArgs.end(), args.begin(), args.end());

  int status = kCliSuccess;
  std::vector<bool> finished(count, false);
  std::size_t reported = 0, finishedCount = 0;
  TProgressLine progress(process.Progress, count, err);
  // Writes the messages of every finished picture that has no unfinished one
  // before it.
  const auto reportInOrder = [&] {
    while (reported < count && finished[reported]) {
      const fs::path messageFile = MessageFile(jobFolder.Path(), reported);
      std::string text;
      {
        std::ifstream file(messageFile, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
      }
      std::error_code ignored;
      fs::remove(messageFile, ignored);
      if (text.empty()) {
        progress.Clear();
        err << kCliPrefix << options.Pictures[reported] << ": the worker converting it stopped unexpectedly\n";
        status = kCliPictureFailed;
      } else {
        if (text.size() > 1) progress.Clear();
        err << text.substr(1);
        if (text[0] != kConverted) status = kCliPictureFailed;
      }
      ++reported;
    }
  };

  {
    TWorkerGroup workers;
    const auto finish = [&](std::size_t picture) {
      if (finished[picture]) return;
      finished[picture] = true;
      reportInOrder();
      progress.Draw(++finishedCount);
    };
    const auto finishReported = [&](const std::string& line) {
      std::size_t picture = 0;
      if (ParsePictureNumber(line, count, picture)) finish(picture);
    };
    // This process is one of the jobs: it converts pictures while the other
    // workers start, which on Windows takes a good part of a picture's time.
    for (int i = 1; i < std::min<int>(jobs, int(count)); ++i) workers.Start(process.Program, workerArgs);
    progress.Draw(0);
    std::string line;
    for (std::size_t i = 0; i < count; ++i) {
      if (ConvertIfUnclaimed(options, paths, jobFolder.Path(), i)) finish(i);
      while (workers.ReadLineIfReady(line)) finishReported(line);
    }
    while (workers.ReadLine(line)) finishReported(line);
  }
  // Pictures whose worker ended without reporting them (a crash) are failures.
  std::fill(finished.begin(), finished.end(), true);
  reportInOrder();
  progress.Clear();
  return status;
}

int RunCliWorker(const std::string& jobFolder, const std::vector<std::string>& args, std::ostream& out) {
  const TCliOptions options = ParseCliOptions(args);
  const TAbsolutePaths paths = AbsolutePaths(options.Pictures, options.Out);
  for (std::size_t i = 0; i < paths.Pictures.size(); ++i)
    if (ConvertIfUnclaimed(options, paths, fs::path(jobFolder), i)) out << i << "\n" << std::flush;
  return kCliSuccess;
}

}  // namespace quill
