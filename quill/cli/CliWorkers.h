#pragma once
// quill-cli -j: pictures converted several at a time by worker processes,
// each picture in a fresh window of its own and a scratch folder of its own,
// with the same results, messages and exit status as one at a time.
//
// The starting process makes a job folder, starts N - 1 workers with the
// hidden first argument "--worker=FOLDER" before the user's arguments, and
// converts pictures itself as the N-th. A process claims a picture by making
// the folder FOLDER/N for it (making a folder is atomic, so each picture goes
// to exactly one process) and converts it there. A worker then writes the
// line "N S" to its standard output, which all workers share with the
// starting process: S is 0 (converted) or 1 (failed), followed by "m" when the
// picture had messages, which the worker wrote to FOLDER/N.msg first. The
// starting process writes the messages of finished pictures in input order as
// soon as all pictures before them are finished.
#include <iosfwd>
#include <string>
#include <vector>

#include "quill/cli/CliOptions.h"
#include "quill/cli/CliOutput.h"

namespace quill {

constexpr const char* kWorkerOption = "--worker=";

// How the starting process reports: the program to start as workers, and
// whether to keep a progress line ("12/40 done") on standard error.
struct TCliProcess {
  std::string Program;
  bool Progress = false;
};

// Converts options.Pictures with jobs processes, this one included (at most
// one per picture). paths are its pictures and results made absolute; args
// are the user's arguments; the output folder, if any, exists. Returns
// the exit status.
int RunInWorkers(const TCliOptions& options, const TAbsolutePaths& paths, const std::vector<std::string>& args,
                 int jobs, const TCliProcess& process, std::ostream& err);

// A worker's whole run: args are the user's arguments, already accepted by
// the starting process. Returns the worker's exit status.
int RunCliWorker(const std::string& jobFolder, const std::vector<std::string>& args, std::ostream& out);

}  // namespace quill
