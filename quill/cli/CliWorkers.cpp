#include "quill/cli/CliWorkers.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
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

constexpr char kConverted = '0', kFailed = '1', kHasMessages = 'm';

fs::path MessageFile(const fs::path& jobFolder, std::size_t picture) {
  return jobFolder / (std::to_string(picture) + ".msg");
}

// What became of one picture.
struct TOutcome {
  bool Converted = false;
  std::string Messages;
};

// A worker's line for a finished picture: its number, a space, its status
// and, when it had messages, the mark that its message file was written.
std::string ReportLine(std::size_t picture, const TOutcome& outcome) {
  std::string line = std::to_string(picture) + " " + (outcome.Converted ? kConverted : kFailed);
  if (!outcome.Messages.empty()) line += kHasMessages;
  return line;
}

// Reads a worker's line back; false for anything else, which a worker that
// lost its way might write.
bool ParseReportLine(const std::string& line, std::size_t count, std::size_t& picture, bool& converted,
                     bool& hasMessages) {
  const std::size_t space = line.find(' ');
  if (space == 0 || space > 9 || line.find_first_not_of("0123456789") != space) return false;
  const std::string rest = line.substr(space + 1);
  if (rest.empty() || rest.size() > 2 || (rest[0] != kConverted && rest[0] != kFailed)) return false;
  if (rest.size() == 2 && rest[1] != kHasMessages) return false;
  picture = std::stoul(line.substr(0, space));
  converted = rest[0] == kConverted;
  hasMessages = rest.size() == 2;
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
// it. The current directory is the scratch folder while the picture is
// converted (the window keeps its transient file there) and is put back after.
bool ConvertIfUnclaimed(const TCliOptions& options, const TAbsolutePaths& paths, const fs::path& folder, std::size_t i,
                        TOutcome& outcome) {
  const fs::path scratch = folder / std::to_string(i);
  if (!fs::create_directory(scratch)) return false;
  const fs::path home = fs::current_path();
  fs::current_path(scratch);
  std::ostringstream messages;
  outcome.Converted =
      ConvertPicture(options, options.Pictures[i], paths.Pictures[i], paths.Outs[i], (scratch / "").string(), messages);
  outcome.Messages = messages.str();
  fs::current_path(home);
  // Emptied now, in parallel with the other processes' pictures, rather
  // than all at the end: each file removed costs about half a millisecond
  // under Wine. The folder itself stays as the claim.
  std::error_code ignored;
  for (fs::directory_iterator it(scratch, ignored), end; it != end; it.increment(ignored))
    fs::remove_all(it->path(), ignored);
  return true;
}

// A worker's picture that had messages: they go to its message file, whole or
// not at all, before the line that announces them. Every file operation is a
// round trip to the server under Wine, so a picture without messages, the
// usual case, has no file.
void WriteMessageFile(const fs::path& folder, std::size_t i, const std::string& messages) {
  const fs::path written = MessageFile(folder, i);
  fs::path partial = written;
  partial += ".part";
  {
    std::ofstream file(partial, std::ios::binary);
    file << messages;
    if (!file.flush()) throw fs::filesystem_error("cannot write", partial, std::make_error_code(std::errc::io_error));
  }
  fs::rename(partial, written);
}

}  // namespace

int RunInWorkers(const TCliOptions& options, const TAbsolutePaths& paths, const std::vector<std::string>& args,
                 int jobs, const TCliProcess& process, std::ostream& err) {
  const std::size_t count = options.Pictures.size();
  const TScratchFolder jobFolder(false);
  std::vector<std::string> workerArgs{kWorkerOption + jobFolder.Path().string()};
  workerArgs.insert(workerArgs.end(), args.begin(), args.end());

  int status = kCliSuccess;
  // A picture is finished once its outcome is known; one whose worker ended
  // without reporting it (a crash) never is.
  std::vector<std::optional<TOutcome>> outcomes(count);
  std::size_t reported = 0, finishedCount = 0;
  TProgressLine progress(process.Progress, count, err);
  // Writes the messages of every finished picture that has no unfinished one
  // before it; at the end (all true) also those of the pictures never reported.
  const auto reportInOrder = [&](bool all) {
    for (; reported < count && (all || outcomes[reported]); ++reported) {
      if (!outcomes[reported]) {
        progress.Clear();
        err << kCliPrefix << options.Pictures[reported] << ": the worker converting it stopped unexpectedly\n";
        status = kCliPictureFailed;
        continue;
      }
      const TOutcome& outcome = *outcomes[reported];
      if (!outcome.Messages.empty()) progress.Clear();
      err << outcome.Messages;
      if (!outcome.Converted) status = kCliPictureFailed;
    }
  };

  {
    TWorkerGroup workers;
    const auto finish = [&](std::size_t picture, TOutcome&& outcome) {
      if (outcomes[picture]) return;
      outcomes[picture] = std::move(outcome);
      reportInOrder(false);
      progress.Draw(++finishedCount);
    };
    const auto finishReported = [&](const std::string& line) {
      std::size_t picture = 0;
      TOutcome outcome;
      bool hasMessages = false;
      if (!ParseReportLine(line, count, picture, outcome.Converted, hasMessages)) return;
      if (hasMessages) {
        const fs::path messageFile = MessageFile(jobFolder.Path(), picture);
        {
          std::ifstream file(messageFile, std::ios::binary);
          outcome.Messages.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        }
        std::error_code ignored;
        fs::remove(messageFile, ignored);
        // A worker that announced messages it did not leave has lost its way.
        if (outcome.Messages.empty()) return;
      }
      finish(picture, std::move(outcome));
    };
    // This process is one of the jobs: it converts pictures while the other
    // workers start, which on Windows takes a good part of a picture's time.
    for (int i = 1; i < std::min<int>(jobs, int(count)); ++i) workers.Start(process.Program, workerArgs);
    progress.Draw(0);
    std::string line;
    for (std::size_t i = 0; i < count; ++i) {
      TOutcome outcome;
      if (ConvertIfUnclaimed(options, paths, jobFolder.Path(), i, outcome)) finish(i, std::move(outcome));
      while (workers.ReadLineIfReady(line)) finishReported(line);
    }
    while (workers.ReadLine(line)) finishReported(line);
  }
  reportInOrder(true);
  progress.Clear();
  return status;
}

int RunCliWorker(const std::string& jobFolder, const std::vector<std::string>& args, std::ostream& out) {
  const TCliOptions options = ParseCliOptions(args);
  const TAbsolutePaths paths = AbsolutePaths(options.Pictures, options.Out);
  for (std::size_t i = 0; i < paths.Pictures.size(); ++i) {
    TOutcome outcome;
    if (!ConvertIfUnclaimed(options, paths, fs::path(jobFolder), i, outcome)) continue;
    if (!outcome.Messages.empty()) WriteMessageFile(fs::path(jobFolder), i, outcome.Messages);
    out << ReportLine(i, outcome) << "\n" << std::flush;
  }
  return kCliSuccess;
}

}  // namespace quill
