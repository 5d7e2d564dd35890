// vmodem: a voice modem on a pseudo-terminal, playing a scenario.
//
//   vmodem SCENARIO_FILE [--link PATH] [--transcript FILE] [--log FILE] [--voice-out PREFIX]
//          [--profile NAME] [--chaos SEED [--chaos-rate RATE]]
//
// Prints the slave path as its first line, then serves the scenario until SIGTERM or SIGINT,
// and writes the files it was asked for as it exits.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

#include "vmodem/engine.h"
#include "vmodem/profile.h"
#include "vmodem/pty_link.h"
#include "vmodem/scenario.h"

namespace {

using vmodem::Engine;

struct Options {
  std::filesystem::path scenario;
  std::filesystem::path link;
  std::filesystem::path transcript;
  std::filesystem::path log;
  std::string voice_out;
  std::optional<vmodem::ChaosSettings> chaos;
  const vmodem::Profile* profile = nullptr;
};

constexpr char kUsage[] =
    "usage: vmodem SCENARIO_FILE [--link PATH] [--transcript FILE] [--log FILE] "
    "[--voice-out PREFIX]\n"
    "              [--profile NAME] [--chaos SEED [--chaos-rate RATE]]\n";
constexpr char kHelp[] =
    "A voice modem on a pseudo-terminal: prints the slave's path, then answers as the scenario\n"
    "says until SIGTERM or SIGINT, and then writes the files asked for.\n"
    "  --link PATH          also make PATH a symbolic link to the slave\n"
    "  --transcript FILE    every byte received\n"
    "  --log FILE           one line per event: <ms since start> <event>\n"
    "  --voice-out PREFIX   each voice transmission's data in PREFIX.1, PREFIX.2, ...\n"
    "  --profile NAME       answer as the modem chip NAME does: cx93001, usr5637 or rc56\n"
    "  --chaos SEED         add a seeded mix of line and modem faults to the scenario\n"
    "  --chaos-rate RATE    the chance of a fault per reply, voice stream and command\n"
    "                       (0 to 1, default 0.05)\n"
    "  --help, -h           this text\n"
    "  --version            the version\n";

template <typename T>
std::optional<T> ParseNumber(std::string_view text) {
  T value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return {};
  return value;
}

std::optional<Options> ParseArgs(int argc, char** argv) {
  Options options;
  std::optional<double> rate;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.starts_with("--")) {
      if (i + 1 == argc) return std::nullopt;
      const char* value = argv[++i];
      if (arg == "--link") {
        options.link = value;
      } else if (arg == "--transcript") {
        options.transcript = value;
      } else if (arg == "--log") {
        options.log = value;
      } else if (arg == "--voice-out") {
        options.voice_out = value;
      } else if (arg == "--profile") {
        options.profile = vmodem::FindProfile(value);
        if (!options.profile) return std::nullopt;
      } else if (arg == "--chaos") {
        const auto seed = ParseNumber<std::uint64_t>(value);
        if (!seed) return std::nullopt;
        options.chaos = vmodem::ChaosSettings{.seed = *seed};
      } else if (arg == "--chaos-rate") {
        rate = ParseNumber<double>(value);
        if (!rate || !(*rate >= 0 && *rate <= 1)) return std::nullopt;
      } else {
        return std::nullopt;
      }
    } else if (options.scenario.empty()) {
      options.scenario = arg;
    } else {
      return std::nullopt;
    }
  }
  if (options.scenario.empty() || (rate && !options.chaos)) return std::nullopt;
  if (rate) options.chaos->rate = *rate;
  return options;
}

std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot read " + path.string());
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The results are written once, at exit, while nobody reads them: in place will do.
void SaveResult(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) std::fprintf(stderr, "vmodem: cannot write %s\n", path.c_str());
}

// The log grows with the dialogue, a line at a time, so that whoever runs vmodem can wait for
// an event while it runs.
class LiveLog {
 public:
  explicit LiveLog(const std::filesystem::path& path) {
    if (!path.empty()) file_.open(path, std::ios::binary | std::ios::trunc);
  }
  void CatchUp(const Engine& engine) {
    if (!file_.is_open()) return;
    const std::vector<vmodem::LogEntry>& log = engine.Log();
    if (written_ == log.size()) return;
    for (; written_ < log.size(); ++written_) {
      file_ << log[written_].at.count() << ' ' << log[written_].text << '\n';
    }
    file_.flush();
  }

 private:
  std::ofstream file_;
  std::size_t written_ = 0;
};

void WriteResults(const Engine& engine, const Options& options, LiveLog& log) {
  log.CatchUp(engine);
  if (!options.transcript.empty()) SaveResult(options.transcript, engine.Transcript());
  if (!options.voice_out.empty()) {
    for (std::size_t i = 0; i < engine.VoiceData().size(); ++i) {
      SaveResult(options.voice_out + '.' + std::to_string(i + 1), engine.VoiceData()[i]);
    }
  }
}

// A signal only writes a byte into this pipe; the loop polls its other end, so a signal that
// arrives just before poll() still wakes it.
int signal_pipe[2] = {-1, -1};

void OnSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t ignored = write(signal_pipe[1], &byte, 1);
}

void CatchTerminationSignals() {
  if (pipe(signal_pipe) != 0) throw std::system_error(errno, std::generic_category(), "pipe");
  for (const int fd : signal_pipe) fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

bool Transient(int error) {
  return error == EAGAIN || error == EWOULDBLOCK || error == EINTR;
}

void AwaitSignal() {
  pollfd fd = {signal_pipe[0], POLLIN, 0};
  while (poll(&fd, 1, -1) < 0 && errno == EINTR) {
  }
}

// Serves the host until a termination signal. With a line speed, the host's bytes are taken no
// faster than the line carries them, in reads of about 10 ms of line time, so the host's
// writes back up in the kernel as they do on a real line. A modem that leaves the line ends it
// as it left, and then only waits for the signal; one that locked up leaves the line as it is,
// the slave open and the master unread, so the host's writes back up and stall.
void Serve(Engine& engine, vmodem::PtyLink& pty, LiveLog& log) {
  const int master = pty.MasterFd();
  const auto start = std::chrono::steady_clock::now();
  const auto now = [start] {
    return std::chrono::duration_cast<vmodem::SimTime>(std::chrono::steady_clock::now() - start);
  };
  const int baud = engine.BaudRate();
  const double bytes_per_ms = baud / 10'000.0;
  // Reads wait for 10 ms of line time; credit keeps up to 20 ms, so a late wake-up loses none.
  const double chunk = std::max(1.0, 10 * bytes_per_ms);
  const double credit_cap = 2 * chunk;
  double credit = chunk;        // bytes the line could have carried since the last read
  vmodem::SimTime credited{0};  // when the credit was last brought up to date
  std::string pending;          // the modem's bytes the host has not taken yet
  char buffer[4096];

  for (;;) {
    const vmodem::SimTime at = now();
    if (baud != 0) {
      credit = std::min(credit_cap,
                        credit + static_cast<double>((at - credited).count()) * bytes_per_ms);
      credited = at;
    }
    pending += engine.TakeOutput(at);
    if (!pending.empty()) {
      const ssize_t n = write(master, pending.data(), pending.size());
      if (n > 0) {
        pending.erase(0, static_cast<std::size_t>(n));
      } else if (n < 0 && !Transient(errno)) {
        throw std::system_error(errno, std::generic_category(), "write");
      }
    }
    log.CatchUp(engine);
    if (engine.Gone() != Engine::Departure::kNone) {
      if (engine.Gone() == Engine::Departure::kVanished) {
        pty.Vanish();
      } else if (engine.Gone() == Engine::Departure::kHungUp) {
        pty.HangUp();
      }
      AwaitSignal();
      return;
    }

    const bool may_read = baud == 0 || credit >= 1;
    std::optional<vmodem::SimTime> wake = engine.NextEvent();
    if (!may_read) {
      const std::chrono::milliseconds refill(
          static_cast<std::int64_t>(std::ceil((chunk - credit) / bytes_per_ms)));
      if (!wake || at + refill < *wake) wake = at + refill;
    }
    const int timeout =
        wake ? static_cast<int>(std::clamp<std::int64_t>((*wake - at).count(), 0, INT_MAX)) : -1;
    pollfd fds[2] = {
        {master, static_cast<short>((may_read ? POLLIN : 0) | (pending.empty() ? 0 : POLLOUT)), 0},
        {signal_pipe[0], POLLIN, 0}};
    if (poll(fds, 2, timeout) < 0) {
      if (errno == EINTR) continue;
      throw std::system_error(errno, std::generic_category(), "poll");
    }
    if (fds[1].revents != 0) return;
    if ((fds[0].revents & (POLLIN | POLLERR | POLLHUP)) != 0 && may_read) {
      const std::size_t want =
          baud == 0 ? sizeof buffer : std::min(sizeof buffer, static_cast<std::size_t>(credit));
      const ssize_t n = read(master, buffer, want);
      if (n > 0) {
        engine.Receive(std::string_view(buffer, static_cast<std::size_t>(n)), now());
        credit -= static_cast<double>(n);
      } else if (n == 0 || !Transient(errno)) {
        throw std::system_error(n == 0 ? EIO : errno, std::generic_category(), "read");
      }
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::string only = argc == 2 ? argv[1] : "";
  if (only == "--help" || only == "-h") {
    std::fputs(kUsage, stdout);
    std::fputs(kHelp, stdout);
    return 0;
  }
  if (only == "--version") {
    std::printf("vmodem %s\n", TALVO_VERSION);
    return 0;
  }
  const std::optional<Options> options = ParseArgs(argc, argv);
  if (!options) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  std::optional<Engine> engine;
  try {
    engine.emplace(
        vmodem::ParseScenario(ReadWholeFile(options->scenario), options->scenario.parent_path()),
        options->chaos, options->profile);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vmodem: %s: %s\n", options->scenario.c_str(), e.what());
    return 2;
  }
  try {
    CatchTerminationSignals();
    vmodem::PtyLink pty;
    if (!options->link.empty()) pty.LinkAs(options->link);
    std::printf("%s\n", pty.SlavePath().c_str());
    std::fflush(stdout);
    LiveLog log(options->log);
    try {
      Serve(*engine, pty, log);
    } catch (...) {
      WriteResults(*engine, *options, log);
      throw;
    }
    WriteResults(*engine, *options, log);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vmodem: %s\n", e.what());
    return 1;
  }
  return 0;
}
