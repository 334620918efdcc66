#pragma once
// Worker processes of quill-cli -j: copies of the program started with their
// own arguments, all writing their standard output into one pipe that the
// starting process reads line by line. Processes, not threads, because the
// window keeps its transient file in the current directory, which a process
// has only one of.
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace quill {

class TWorkerGroup {
 public:
  TWorkerGroup();
  // Waits for the workers still running.
  ~TWorkerGroup();
  TWorkerGroup(const TWorkerGroup&) = delete;
  TWorkerGroup& operator=(const TWorkerGroup&) = delete;

  // Starts program with args (after the program name); standard input and
  // error are this process's. Throws std::runtime_error when it cannot start.
  void Start(const std::string& program, const std::vector<std::string>& args);
  // The next line any worker wrote, without its line end; false once every
  // worker has closed its standard output (ended, normally or not).
  bool ReadLine(std::string& line);
  // The next whole line the workers have already written, without waiting;
  // false when there is none yet.
  bool ReadLineIfReady(std::string& line);
  // Waits for every worker to end.
  void Wait();

 private:
  // Up to size bytes that the workers wrote, once no worker is left to start;
  // 0 when every worker has closed its end.
  std::size_t ReadSome(char* buffer, std::size_t size);
  // Like ReadSome, but 0 at once when nothing is waiting in the pipe.
  std::size_t ReadWaiting(char* buffer, std::size_t size);
  // Takes a whole line off pending_.
  bool TakePendingLine(std::string& line);
  // ReadLine when wait is set, ReadLineIfReady when not.
  bool NextLine(std::string& line, bool wait);

  struct TState;
  std::unique_ptr<TState> state_;
  std::string pending_;
};

// The path of the running program, for starting copies of it.
std::string ThisProgramPath();

// Whether standard error is a terminal, where a progress line may be drawn.
bool StandardErrorIsTerminal();

}  // namespace quill
