#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPollInterval = std::chrono::milliseconds(5);

std::vector<std::string> Environment(const ChildOptions& options) {
  std::map<std::string, std::string> env;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    const auto eq = text.find('=');
    if (eq != std::string::npos) env[text.substr(0, eq)] = text.substr(eq + 1);
  }
  for (const std::string& name : options.unset_env) env.erase(name);
  for (const auto& [name, value] : options.env) env[name] = value;
  std::vector<std::string> entries;
  for (const auto& [name, value] : env) entries.push_back(name + "=" + value);
  return entries;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& s : strings) pointers.push_back(s.data());
  pointers.push_back(nullptr);
  return pointers;
}

// A file size limit for a child: the child inherits this process's limit and its ignored
// signals, and posix_spawn runs no code in the child, so both are set here for the spawn only.
class SpawnFileSizeLimit {
 public:
  explicit SpawnFileSizeLimit(std::optional<rlim_t> bytes) : active_(bytes.has_value()) {
    if (!active_) return;
    ::getrlimit(RLIMIT_FSIZE, &saved_limit_);
    const rlimit limit{.rlim_cur = *bytes, .rlim_max = saved_limit_.rlim_max};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
      throw std::runtime_error(std::string("cannot limit the file size: ") + std::strerror(errno));
    }
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGXFSZ, &ignore, &saved_action_);
  }
  ~SpawnFileSizeLimit() {
    if (!active_) return;
    ::setrlimit(RLIMIT_FSIZE, &saved_limit_);
    ::sigaction(SIGXFSZ, &saved_action_, nullptr);
  }
  SpawnFileSizeLimit(const SpawnFileSizeLimit&) = delete;
  SpawnFileSizeLimit& operator=(const SpawnFileSizeLimit&) = delete;

 private:
  bool active_;
  rlimit saved_limit_{};
  struct sigaction saved_action_ {};
};

std::string ReadWhole(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const ChildOptions& options) {
  if (argv.empty()) throw std::invalid_argument("ChildProcess: no program");
  std::vector<std::string> args = argv;
  std::vector<std::string> env = Environment(options);
  const std::vector<char*> argp = Pointers(args);
  const std::vector<char*> envp = Pointers(env);

  const SpawnFileSizeLimit limit(options.file_size_limit);
  // The output files open before the change of directory, so relative names are this
  // process's.
  constexpr int kAppend = O_WRONLY | O_CREAT | O_APPEND;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  if (!options.stdout_file.empty()) {
    posix_spawn_file_actions_addopen(&actions, 1, options.stdout_file.c_str(), kAppend, 0644);
  }
  if (!options.stderr_file.empty()) {
    if (options.stderr_file == options.stdout_file) {
      posix_spawn_file_actions_adddup2(&actions, 1, 2);
    } else {
      posix_spawn_file_actions_addopen(&actions, 2, options.stderr_file.c_str(), kAppend, 0644);
    }
  }
  if (!options.dir.empty()) posix_spawn_file_actions_addchdir_np(&actions, options.dir.c_str());
  const int rc = posix_spawn(&pid_, argp[0], &actions, nullptr, argp.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) {
    pid_ = -1;
    throw std::runtime_error("cannot start " + argv[0] + ": " + std::strerror(rc));
  }
}

ChildProcess::~ChildProcess() {
  if (pid_ > 0 && !end_) Kill();
}

void ChildProcess::Signal(int signo) const {
  if (!end_) ::kill(pid_, signo);
}

bool ChildProcess::Collect(bool block) {
  if (end_) return true;
  int status = 0;
  rusage usage{};
  pid_t done = -1;
  do {
    done = ::wait4(pid_, &status, block ? 0 : WNOHANG, &usage);
  } while (done < 0 && errno == EINTR);
  if (done != pid_) return false;
  const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  ChildEnd end;
  if (WIFEXITED(status)) end.exit_code = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) end.signal = WTERMSIG(status);
  end.cpu_seconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
  end_ = end;
  return true;
}

std::optional<ChildEnd> ChildProcess::Wait(std::chrono::milliseconds timeout) {
  const auto deadline = Clock::now() + timeout;
  while (!Collect(false)) {
    if (Clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(kPollInterval);
  }
  return end_;
}

ChildEnd ChildProcess::Wait() {
  Collect(true);
  return *end_;
}

ChildEnd ChildProcess::Kill() {
  if (!end_) {
    ::kill(pid_, SIGKILL);
    Collect(true);
  }
  return *end_;
}

std::string ChildProcess::AwaitFirstLine(const std::filesystem::path& file,
                                         std::chrono::milliseconds timeout) {
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    // Whether the child has ended is asked before the file is read: what it wrote before it
    // ended is then in the file.
    const bool ended = Collect(false);
    const std::string text = ReadWhole(file);
    const auto newline = text.find('\n');
    if (newline != std::string::npos) return text.substr(0, newline);
    if (ended || Clock::now() >= deadline) return "";
    std::this_thread::sleep_for(kPollInterval);
  }
}
