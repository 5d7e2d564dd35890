#include "support/e2e_job.h"

#include <algorithm>
#include <csignal>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace {
constexpr const char* kWineLoader = "/usr/lib/wine/wine64";

std::string Slurp(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}
}  // namespace

E2eJob::E2eJob(std::string_view scenario, const std::vector<std::string>& vmodem_options)
    : temp_("talvo-e2e-"), dir_(temp_.Path()) {
  WriteFile("scenario.vms", scenario);
  std::vector<std::string> argv{VMODEM_BIN,     (dir_ / "scenario.vms").string(),
                                "--transcript", (dir_ / "modem.transcript").string(),
                                "--log",        (dir_ / "modem.log").string(),
                                "--voice-out",  (dir_ / "modem.voice").string()};
  argv.insert(argv.end(), vmodem_options.begin(), vmodem_options.end());
  modem_.emplace(argv, ChildOptions{.dir = dir_,
                                    .stdout_file = dir_ / "vmodem.stdout",
                                    .stderr_file = dir_ / "vmodem.stderr"});
  // The first line vmodem prints is the port.
  port_ = modem_->AwaitFirstLine(dir_ / "vmodem.stdout", std::chrono::seconds(10));
  if (port_.empty()) {
    throw std::runtime_error("vmodem printed no port: " + Slurp(dir_ / "vmodem.stderr"));
  }
}

E2eJob::~E2eJob() {
  talvo_.reset();
  StopModem();
}

void E2eJob::StartTalvo(const std::vector<std::string>& args,
                        const std::map<std::string, std::string>& env) {
  std::map<std::string, std::string> extra = env;
  std::string joined;
  for (const auto& a : args) joined += (joined.empty() ? "" : " ") + a;
  std::string* port = nullptr;  // the job's port, unless the test named one
  if (joined.size() >= 6 && joined[5] >= '0' && joined[5] <= '9') {
    const auto [entry, added] = extra.emplace(std::string("TALVO_COM") + joined[5], port_);
    if (added) port = &entry->second;
  }
  std::vector<std::string> argv{TALVO_BIN};
  // The Windows build runs under Wine, with the job's port mapped to a COM port of its own.
  if (UnderWine()) {
    const char* exe = std::getenv("TALVO_E2E_WINDOWS_EXE");
    com_port_.emplace(WinePrefix(), port_);
    if (port) *port = com_port_->Name();
    extra.emplace("WINEDEBUG", "-all");
    extra.emplace("WINEPREFIX", WinePrefix().string());
    argv = {kWineLoader, exe};
  }
  argv.insert(argv.end(), args.begin(), args.end());
  talvo_start_ = std::chrono::steady_clock::now();
  talvo_.emplace(argv, ChildOptions{.dir = dir_,
                                    .env = extra,
                                    // No display: talvo must run its window offscreen by
                                    // itself, as on a headless server.
                                    .unset_env = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"},
                                    .stdout_file = dir_ / "talvo.output",
                                    .stderr_file = dir_ / "talvo.output",
                                    .file_size_limit = file_size_limit_});
}

void E2eJob::Signal(int signo) const {
  if (talvo_) talvo_->Signal(signo);
}

pid_t E2eJob::TalvoPid() const {
  return talvo_ ? talvo_->Pid() : -1;
}

TalvoRun E2eJob::Wait(std::chrono::seconds timeout) {
  if (!talvo_) throw std::logic_error("E2eJob::Wait: talvo was not started");
  TalvoRun run;
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      talvo_start_ + timeout - std::chrono::steady_clock::now());
  if (const auto end = talvo_->Wait(std::max(left, std::chrono::milliseconds(0)))) {
    run.exit_code = end->signal != 0 ? 128 + end->signal : end->exit_code;
    run.cpu_seconds = end->cpu_seconds;
  }
  talvo_.reset();  // kills talvo when it outlived the time-out
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
  if (!modem_) return;
  modem_->Signal(SIGTERM);
  modem_->Wait();
  modem_.reset();
}

std::string E2eJob::Transcript() {
  StopModem();
  return Slurp(dir_ / "modem.transcript");
}

bool E2eJob::AwaitCommand(std::string_view command, std::chrono::seconds timeout) {
  return AwaitLog(
      [&](const ModemLog& log) { return log.CommandTime(command) >= std::chrono::milliseconds(0); },
      timeout);
}

bool E2eJob::AwaitEvent(std::string_view start, std::chrono::seconds timeout) {
  return AwaitLog(
      [&](const ModemLog& log) { return log.EventTime(start) >= std::chrono::milliseconds(0); },
      timeout);
}

bool E2eJob::AwaitLog(const std::function<bool(const ModemLog&)>& seen,
                      std::chrono::seconds timeout) {
  const auto give_up = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    try {
      if (seen(ModemLog::Read(dir_ / "modem.log"))) return true;
    } catch (const std::runtime_error&) {
      // a line caught half written
    }
    if (std::chrono::steady_clock::now() > give_up) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
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

bool E2eJob::UnderWine() {
  return std::getenv("TALVO_E2E_WINDOWS_EXE") != nullptr;
}

std::string E2eJob::Output() const {
  std::string output = ReadFile("talvo.output");
  for (std::size_t cr; (cr = output.find("\r\n")) != std::string::npos;) output.erase(cr, 1);
  return output;
}

std::string E2eJob::PortName() const {
  return com_port_ ? com_port_->Name() : port_;
}

std::string E2eJob::NoSuchPort() const {
  // Above the numbers the runs map.
  return UnderWine() ? "COM251" : (dir_ / "no-such-port").string();
}
