// The worker processes on POSIX systems: posix_spawn with a shared pipe.
#ifndef _WIN32
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <system_error>

#include "quill/cli/WorkerGroup.h"

extern char** environ;

namespace quill {

struct TWorkerGroup::TState {
  int readEnd = -1, writeEnd = -1;
  std::vector<pid_t> children;

  void CloseWriteEnd() {
    if (writeEnd >= 0) close(writeEnd);
    writeEnd = -1;
  }
};

TWorkerGroup::TWorkerGroup() : state_(std::make_unique<TState>()) {
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) throw std::system_error(errno, std::generic_category(), "cannot make a pipe");
  state_->readEnd = ends[0];
  state_->writeEnd = ends[1];
}

TWorkerGroup::~TWorkerGroup() {
  state_->CloseWriteEnd();
  Wait();
  close(state_->readEnd);
}

void TWorkerGroup::Start(const std::string& program, const std::vector<std::string>& args) {
  if (state_->writeEnd < 0) throw std::logic_error("workers start before the pipe is read");
  std::vector<std::string> words{program};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  // dup2 leaves the copy open across exec; every other pipe end closes there.
  posix_spawn_file_actions_adddup2(&actions, state_->writeEnd, STDOUT_FILENO);
  pid_t child = 0;
  const int error = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) throw std::runtime_error("cannot start " + program + ": " + std::strerror(error));
  state_->children.push_back(child);
}

std::size_t TWorkerGroup::ReadSome(char* buffer, std::size_t size) {
  state_->CloseWriteEnd();
  for (;;) {
    const ssize_t got = read(state_->readEnd, buffer, size);
    if (got < 0 && errno == EINTR) continue;
    return got > 0 ? std::size_t(got) : 0;
  }
}

std::size_t TWorkerGroup::ReadWaiting(char* buffer, std::size_t size) {
  pollfd ready{state_->readEnd, POLLIN, 0};
  if (poll(&ready, 1, 0) <= 0 || !(ready.revents & POLLIN)) return 0;
  return ReadSome(buffer, size);
}

void TWorkerGroup::Wait() {
  for (pid_t child : state_->children) {
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
  }
  state_->children.clear();
}

std::string ThisProgramPath() {
  std::string path(4096, '\0');
  const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
  if (length <= 0 || std::size_t(length) >= path.size()) throw std::runtime_error("cannot find the program's own path");
  path.resize(std::size_t(length));
  return path;
}

bool StandardErrorIsTerminal() { return isatty(STDERR_FILENO) != 0; }

}  // namespace quill
#endif
