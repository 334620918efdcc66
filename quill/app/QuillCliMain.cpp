// quill-cli's entry point: the arguments to the run, its status to the system.
#include <iostream>
#include <string>
#include <vector>

#include "quill/cli/CliRun.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return quill::RunQuillCli(args, std::cout, std::cerr);
}
