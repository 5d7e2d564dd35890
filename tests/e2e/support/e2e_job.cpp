#include "support/e2e_job.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace {
// Spawns `argv` in `dir` with the current environment less `unset`, plus `extra`; stdout
// goes to `stdout_fd` when given, else to a log file in `dir`.
pid_t Spawn(const std::vector<std::string>& argv, const std::filesystem::path& dir,
            const std::map<std::string, std::string>& extra, int stdout_fd,
            const std::string& log_name, const std::vector<std::string>& unset = {}) {
  std::map<std::string, std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry = *e;
    const auto eq = entry.find('=');
    if (eq != std::string::npos) env[entry.substr(0, eq)] = entry.substr(eq + 1);
  }
  for (const auto& name : unset) env.erase(name);
  for (const auto& [k, v] : extra) env[k] = v;
  std::vector<std::string> env_text;
  for (const auto& [k, v] : env) env_text.push_back(k + "=" + v);
  std::vector<char*> envp;
  for (auto& s : env_text) envp.push_back(s.data());
  envp.push_back(nullptr);
  std::vector<std::string> args = argv;
  std::vector<char*> argp;
  for (auto& s : args) argp.push_back(s.data());
  argp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  const std::string log = (dir / log_name).string();
  if (stdout_fd >= 0) {
    posix_spawn_file_actions_adddup2(&actions, stdout_fd, 1);
  } else {
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
  }
  posix_spawn_file_actions_addopen(&actions, 2, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
  pid_t pid = -1;
  const int rc = posix_spawn(&pid, argp[0], &actions, nullptr, argp.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) throw std::runtime_error("cannot start " + argv[0]);
  return pid;
}

std::string Slurp(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}
}  // namespace

E2eJob::E2eJob(std::string_view scenario) : temp_("talvo-e2e-"), dir_(temp_.Path()) {
  WriteFile("scenario.vms", scenario);
  int out[2];
  if (::pipe(out) != 0) throw std::runtime_error("pipe");
  modem_pid_ = Spawn({VMODEM_BIN, (dir_ / "scenario.vms").string(), "--transcript",
                      (dir_ / "modem.transcript").string(), "--log", (dir_ / "modem.log").string(),
                      "--voice-out", (dir_ / "modem.voice").string()},
                     dir_, {}, out[1], "vmodem.stderr");
  ::close(out[1]);
  // The first line vmodem prints is the port.
  pollfd p{out[0], POLLIN, 0};
  char c = 0;
  while (::poll(&p, 1, 10000) == 1 && ::read(out[0], &c, 1) == 1 && c != '\n') port_ += c;
  ::close(out[0]);
  if (port_.empty()) {
    throw std::runtime_error("vmodem printed no port: " + Slurp(dir_ / "vmodem.stderr"));
  }
}

E2eJob::~E2eJob() {
  if (talvo_pid_ > 0) {
    ::kill(talvo_pid_, SIGKILL);
    ::waitpid(talvo_pid_, nullptr, 0);
  }
  StopModem();
}

void E2eJob::StartTalvo(const std::vector<std::string>& args,
                        const std::map<std::string, std::string>& env) {
  std::map<std::string, std::string> extra = env;
  std::string joined;
  for (const auto& a : args) joined += (joined.empty() ? "" : " ") + a;
  if (joined.size() >= 6 && joined[5] >= '0' && joined[5] <= '9') {
    extra.emplace(std::string("TALVO_COM") + joined[5], port_);
  }
  std::vector<std::string> argv{TALVO_BIN};
  argv.insert(argv.end(), args.begin(), args.end());
  talvo_start_ = std::chrono::steady_clock::now();
  // No display: talvo must run its window offscreen by itself, as on a headless server.
  talvo_pid_ = Spawn(argv, dir_, extra, -1, "talvo.output",
                     {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"});
}

void E2eJob::Signal(int signo) const {
  ::kill(talvo_pid_, signo);
}

TalvoRun E2eJob::Wait(std::chrono::seconds timeout) {
  TalvoRun run;
  const auto deadline = talvo_start_ + timeout;
  int status = 0;
  for (;;) {
    rusage usage{};
    const pid_t done = ::wait4(talvo_pid_, &status, WNOHANG, &usage);
    if (done == talvo_pid_) {
      run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
      run.cpu_seconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
      break;
    }
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(talvo_pid_, SIGKILL);
      ::waitpid(talvo_pid_, nullptr, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  talvo_pid_ = -1;
  run.seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - talvo_start_).count();
  return run;
}

TalvoRun E2eJob::RunTalvo(const std::vector<std::string>& args, std::chrono::seconds timeout,
                          const std::map<std::string, std::string>& env) {
  StartTalvo(args, env);
  return Wait(timeout);
}

void E2eJob::StopModem() {
  if (modem_pid_ <= 0) return;
  ::kill(modem_pid_, SIGTERM);
  ::waitpid(modem_pid_, nullptr, 0);
  modem_pid_ = -1;
}

std::string E2eJob::Transcript() {
  StopModem();
  return Slurp(dir_ / "modem.transcript");
}

ModemLog E2eJob::Log() {
  StopModem();
  return ModemLog::Read(dir_ / "modem.log");
}

std::vector<std::string> E2eJob::VoiceData() {
  StopModem();
  std::vector<std::string> data;
  for (int i = 1;; ++i) {
    const auto file = dir_ / ("modem.voice." + std::to_string(i));
    if (!std::filesystem::exists(file)) break;
    data.push_back(Slurp(file));
  }
  return data;
}

std::string E2eJob::ReadFile(std::string_view name) const {
  return Slurp(dir_ / name);
}

bool E2eJob::Exists(std::string_view name) const {
  return std::filesystem::exists(dir_ / name);
}

void E2eJob::WriteFile(std::string_view name, std::string_view bytes) const {
  std::ofstream out(dir_ / name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
