#pragma once
// Runs the real talvo against the real vmodem over a pseudo-terminal, in a fresh temporary
// directory that holds the scenario, the job files and vmodem's transcript, log and voice data.
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "child_process.h"
#include "modem_log.h"
#include "support/wine_com_port.h"
#include "temp_dir.h"

struct TalvoRun {
  int exit_code = -1;      // -1: killed after the time-out
  double seconds = 0;      // wall time from start to exit
  double cpu_seconds = 0;  // user + system time talvo used
};

class E2eJob {
 public:
  // Starts vmodem with `scenario` (scenario text; files it names are looked up in Dir()) and
  // `vmodem_options` (e.g. {"--profile", "rc56"}).
  explicit E2eJob(std::string_view scenario, const std::vector<std::string>& vmodem_options = {});
  ~E2eJob();  // stops talvo and vmodem; the directory goes with the object
  E2eJob(const E2eJob&) = delete;
  E2eJob& operator=(const E2eJob&) = delete;

  // The modem's port (pseudo-terminal slave path).
  const std::string& Port() const { return port_; }
  const std::filesystem::path& Dir() const { return dir_; }

  // Runs talvo with `args` in Dir(), with TALVO_COM<n> = Port() for the job id n (the sixth
  // character of the joined arguments, when it is a digit), with no display, plus `env`
  // extras.
  TalvoRun RunTalvo(const std::vector<std::string>& args,
                    std::chrono::seconds timeout = std::chrono::seconds(60),
                    const std::map<std::string, std::string>& env = {});
  // Starts talvo without waiting; Wait() collects it. Signal() sends it a signal.
  void StartTalvo(const std::vector<std::string>& args,
                  const std::map<std::string, std::string>& env = {});
  void Signal(int signo) const;
  // talvo's runs from now on may write files of at most `bytes`; a longer write fails.
  void LimitFileSize(rlim_t bytes) { file_size_limit_ = bytes; }
  pid_t TalvoPid() const;
  TalvoRun Wait(std::chrono::seconds timeout = std::chrono::seconds(60));

  // Waits until vmodem's log, which grows as the dialogue goes, shows `command` received;
  // false after `timeout`.
  bool AwaitCommand(std::string_view command, std::chrono::seconds timeout);
  // Likewise for an event that begins with `start` ("lock-up").
  bool AwaitEvent(std::string_view start, std::chrono::seconds timeout);
  // Stops vmodem (once) so its files are complete, then reads them.
  std::string Transcript();
  ModemLog Log();
  std::vector<std::string> VoiceData();  // each voice transmission's bytes

  // Whether talvo is the Windows build, run under Wine (TALVO_E2E_WINDOWS_EXE names it).
  static bool UnderWine();
  // What talvo printed on stdout and stderr, its line ends as LF (the Windows build writes CR LF).
  std::string Output() const;
  // The port's name for TALVO_COM<n> in the last run: the pty's path, or under Wine its COM port.
  std::string PortName() const;
  // A port name that names no device, for TALVO_COM<n>.
  std::string NoSuchPort() const;

  std::string ReadFile(std::string_view name) const;
  bool Exists(std::string_view name) const;
  void WriteFile(std::string_view name, std::string_view bytes) const;

 private:
  void StopModem();
  bool AwaitLog(const std::function<bool(const ModemLog&)>& seen, std::chrono::seconds timeout);

  TempDir temp_;
  std::filesystem::path dir_;
  std::string port_;
  std::optional<ChildProcess> modem_;
  std::optional<WineComPort> com_port_;  // the Windows build's port, under Wine
  std::optional<ChildProcess> talvo_;
  std::chrono::steady_clock::time_point talvo_start_;
  std::optional<rlim_t> file_size_limit_;
};
