// quill-cli's entry point: the arguments to the run, its status to the system.
#include <iostream>
#include <string>
#include <vector>

#include "quill/cli/CliRun.h"
#include "quill/cli/WorkerGroup.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  quill::TCliProcess process;
  try {
    process.Program = quill::ThisProgramPath();
  } catch (const std::exception&) {
    // Without its own path the program converts one picture at a time.
  }
  process.Progress = quill::StandardErrorIsTerminal();
  return quill::RunQuillCli(args, std::cout, std::cerr, process);
}
