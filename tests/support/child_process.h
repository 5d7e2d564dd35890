#pragma once
// Starts a program for a test (talvo, vmodem, korvin, Wine) without a shell, waits for it with
// a time-out and kills what is left.
#include <sys/resource.h>
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

struct ChildOptions {
  std::filesystem::path dir{};               // working directory; empty: this process's
  std::map<std::string, std::string> env{};  // set on top of this process's environment
  std::vector<std::string> unset_env{};      // taken out of it
  std::filesystem::path stdout_file{};       // appended to; empty: this process's stdout
  std::filesystem::path stderr_file{};       // likewise; may be the same file as stdout_file
  // The most bytes the child may write to a file; a write past it fails (SIGXFSZ is ignored).
  std::optional<rlim_t> file_size_limit{};
};

struct ChildEnd {
  int exit_code = -1;      // -1 when a signal ended the child
  int signal = 0;          // the signal that ended it, else 0
  double cpu_seconds = 0;  // user + system time the child used
};

class ChildProcess {
 public:
  // Starts argv[0] (a path, not looked up in PATH) with standard input from /dev/null; throws
  // std::runtime_error when it cannot.
  explicit ChildProcess(const std::vector<std::string>& argv, const ChildOptions& options = {});
  ~ChildProcess();  // kills the child and collects it, unless that has happened
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t Pid() const { return pid_; }
  // Sends `signo` while the child has not been collected.
  void Signal(int signo) const;
  // Waits until the child has ended; nullopt when it still runs after `timeout`.
  std::optional<ChildEnd> Wait(std::chrono::milliseconds timeout);
  ChildEnd Wait();
  // Kills the child with SIGKILL and collects it; the end it had when it was already over.
  ChildEnd Kill();
  // Waits until `file` (where this child writes) holds a whole first line, for at most
  // `timeout` and no longer than the child runs; returns that line without its '\n', or ""
  // when none came.
  std::string AwaitFirstLine(const std::filesystem::path& file, std::chrono::milliseconds timeout);

 private:
  bool Collect(bool block);  // true once the child has ended

  pid_t pid_ = -1;
  std::optional<ChildEnd> end_;
};
