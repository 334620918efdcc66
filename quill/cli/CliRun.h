#pragma once
// quill-cli's run: parse the command line, then convert each picture in a
// private temporary folder, writing each result where OutputPaths says; with
// -j N, N pictures at a time in worker processes.
#include <iosfwd>
#include <string>
#include <vector>

#include "quill/cli/CliWorkers.h"

namespace quill {

constexpr int kCliSuccess = 0;
constexpr int kCliPictureFailed = 1;  // some picture failed; the others were converted
constexpr int kCliUsageError = 2;     // nothing was converted

// args: the arguments after the program name. Help goes to out; every failure
// to err as one line "quill-cli: ..." (for a picture: its path as given, then
// the message the window showed). Returns one of the exit statuses above.
// Without a program to start as workers every picture is converted in this
// process, one after the other, whatever -j says.
int RunQuillCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const TCliProcess& process = {});

}  // namespace quill
