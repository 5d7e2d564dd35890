#pragma once
// A whole job on virtual time: the in-process voice-modem simulator behind a fake serial
// control, a clock that moves only when the job sleeps or waits, and a termination that
// throws JobTerminated so a test can run a job to its end and then inspect its files, its
// console and what the modem received. A wait that could never end fails the test instead of
// hanging it.
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "console/memory_text_box.h"
#include "console/window.h"
#include "fake_serial_control.h"
#include "job/job_context.h"
#include "job/job_endings.h"
#include "modem/command_set.h"
#include "modem/modem.h"
#include "platform/event_pump.h"
#include "platform/job_clock.h"
#include "platform/sleeper.h"
#include "platform/termination.h"
#include "temp_dir.h"

struct JobTerminated {
  JobTime at;
};

class VirtualClock : public JobClock {
 public:
  explicit VirtualClock(JobTime start) : now_(start) {}
  JobTime Now() override { return now_; }
  void AdvanceTo(JobTime time) { now_ = std::max(now_, time); }

 private:
  JobTime now_;
};

class FakeWindow : public Window {
 public:
  bool SetWindowState(int state) override {
    if (state < 0 || state > 2) return false;
    this->state = state;
    return true;
  }
  int state = 0;
};

class VirtualWorld {
  // Declared before the public members that refer to them: the directory comes first so that
  // it is removed last, and the seams exist before `ctx` binds to them.
  class Pump;
  class Pause;
  class Ending;

  TempDir dir_{"talvo-test-"};
  std::unique_ptr<Pump> pump_;
  std::unique_ptr<Pause> sleep_;
  std::unique_ptr<Ending> stop_;
  std::unique_ptr<CommandSet> commands_;

 public:
  // `scenario` is vmodem scenario text. The clock starts at `start` on the job clock
  // (10:00:00 unless given). The job files live in a fresh temporary directory, removed with
  // the world.
  // The job speaks `commands` (the "#" set unless given).
  explicit VirtualWorld(std::string_view scenario = "", JobTime start = std::chrono::hours(10),
                        std::unique_ptr<CommandSet> commands = nullptr);
  ~VirtualWorld();

  JobValues values;
  MemoryTextBox console;
  FakeWindow window;
  VirtualClock clock;
  vmodem::FakeSerialControl serial;  // the modem behind it: serial.Modem()
  JobContext ctx;
  JobEndings endings;    // the job's endings
  CommandEngine engine;  // the port's one owner, for the phases and the endings alike
  Modem modem;           // the engine with the job's command set and values

  // Runs `action` as a window event (a typed key, the close box) at virtual time `time`, the
  // first time the job yields to the window at or after that time.
  void At(JobTime time, std::function<void()> action);

  // Runs `job` until it terminates; returns the termination time. Fails the test when the
  // job returns without terminating.
  JobTime RunToEnd(const std::function<void()>& job);

  // A job file's bytes ("" when missing) and whether it exists.
  std::string ReadFile(std::string_view name) const;
  bool Exists(std::string_view name) const;
  void WriteFile(std::string_view name, std::string_view bytes) const;
  // The names in the job directory, sorted.
  std::vector<std::string> Files() const;

  const std::filesystem::path& Dir() const { return dir_.Path(); }
};
