// The worker processes on Windows: CreateProcess with a shared inheritable pipe.
#ifdef _WIN32
#include <windows.h>
#include <io.h>

#include <cstdio>
#include <stdexcept>

#include "quill/cli/WorkerGroup.h"

namespace quill {
namespace {

// One argument quoted so that the C runtime's command-line splitting gives it
// back unchanged: backslashes are literal except before a quote.
std::string QuoteArgument(const std::string& arg) {
  if (!arg.empty() && arg.find_first_of(" \t\n\v\"") == std::string::npos) return arg;
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (char c : arg) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, '\\');
  return quoted + "\"";
}

std::runtime_error SystemError(const std::string& what) {
  return std::runtime_error(what + " (system error " + std::to_string(GetLastError()) + ")");
}

}  // namespace

struct TWorkerGroup::TState {
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  std::vector<HANDLE> children;

  void CloseWriteEnd() {
    if (writeEnd) CloseHandle(writeEnd);
    writeEnd = nullptr;
  }
};

TWorkerGroup::TWorkerGroup() : state_(std::make_unique<TState>()) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  if (!CreatePipe(&state_->readEnd, &state_->writeEnd, &inherit, 0)) throw SystemError("cannot make a pipe");
  // Only the workers' end is inherited: a worker holding the read end would
  // keep the pipe open after the others ended.
  SetHandleInformation(state_->readEnd, HANDLE_FLAG_INHERIT, 0);
}

TWorkerGroup::~TWorkerGroup() {
  state_->CloseWriteEnd();
  Wait();
  CloseHandle(state_->readEnd);
}

void TWorkerGroup::Start(const std::string& program, const std::vector<std::string>& args) {
  if (!state_->writeEnd) throw std::logic_error("workers start before the pipe is read");
  std::string commandLine = QuoteArgument(program);
  for (const std::string& arg : args) commandLine += " " + QuoteArgument(arg);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = state_->writeEnd;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &process))
    throw SystemError("cannot start " + program);
  CloseHandle(process.hThread);
  state_->children.push_back(process.hProcess);
}

std::size_t TWorkerGroup::ReadSome(char* buffer, std::size_t size) {
  state_->CloseWriteEnd();
  DWORD got = 0;
  if (!ReadFile(state_->readEnd, buffer, DWORD(size), &got, nullptr)) return 0;
  return got;
}

std::size_t TWorkerGroup::ReadWaiting(char* buffer, std::size_t size) {
  state_->CloseWriteEnd();
  DWORD waiting = 0;
  if (!PeekNamedPipe(state_->readEnd, nullptr, 0, nullptr, &waiting, nullptr) || waiting == 0) return 0;
  return ReadSome(buffer, waiting < size ? waiting : size);
}

void TWorkerGroup::Wait() {
  for (HANDLE child : state_->children) {
    WaitForSingleObject(child, INFINITE);
    CloseHandle(child);
  }
  state_->children.clear();
}

std::string ThisProgramPath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), DWORD(path.size()));
    if (length == 0) throw SystemError("cannot find the program's own path");
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

bool StandardErrorIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

}  // namespace quill
#endif
