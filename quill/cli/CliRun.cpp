#include "quill/cli/CliRun.h"

#include <filesystem>
#include <ostream>
#include <thread>

#include "quill/cli/CliHelp.h"
#include "quill/cli/CliOptions.h"
#include "quill/cli/CliOutput.h"
#include "quill/cli/CliSession.h"
#include "quill/cli/CliWorkers.h"
#include "quill/cli/ScratchFolder.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

int JobCount(const TCliOptions& options, const TCliProcess& process) {
  if (process.Program.empty()) return 1;
  if (options.Jobs) return options.Jobs;
  return std::max(1, std::min(int(std::thread::hardware_concurrency()), kMaxJobs));
}

}  // namespace

int RunQuillCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const TCliProcess& process) {
  if (!args.empty() && args[0].rfind(kWorkerOption, 0) == 0) {
    try {
      return RunCliWorker(args[0].substr(std::string(kWorkerOption).size()), {args.begin() + 1, args.end()}, out);
    } catch (const std::exception& e) {
      err << kCliPrefix << "worker: " << e.what() << "\n";
      return kCliPictureFailed;
    }
  }

  TCliOptions options;
  TAbsolutePaths paths;
  try {
    options = ParseCliOptions(args);
    if (options.Help) {
      out << CliHelpText();
      return kCliSuccess;
    }
    if (options.Version) {
      out << "quill-cli " << QUILL_VERSION << "\n";
      return kCliSuccess;
    }
    paths = AbsolutePaths(options.Pictures, options.Out);
  } catch (const ECliUsage& e) {
    err << kCliPrefix << e.what() << " (quill-cli --help lists the options)\n";
    return kCliUsageError;
  }

  try {
    if (OutputIsFolder(options.Pictures, options.Out)) fs::create_directories(options.Out);
    const int jobs = JobCount(options, process);
    if (jobs > 1 && paths.Pictures.size() > 1) return RunInWorkers(options, paths, args, jobs, process, err);

    const TScratchFolder scratch;
    const std::string scratchFolder = (scratch.Path() / "").string();
    int status = kCliSuccess;
    for (std::size_t i = 0; i < paths.Pictures.size(); ++i)
      if (!ConvertPicture(options, options.Pictures[i], paths.Pictures[i], paths.Outs[i], scratchFolder, err))
        status = kCliPictureFailed;
    return status;
  } catch (const std::exception& e) {
    err << kCliPrefix << e.what() << "\n";
    return kCliPictureFailed;
  }
}

}  // namespace quill
