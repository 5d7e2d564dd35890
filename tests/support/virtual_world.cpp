#include "virtual_world.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "modem/hash_command_set.h"

// The window's event queue on virtual time. Time moves only when the job waits with nothing
// to do: straight to the next thing that can happen, so a job of minutes runs in milliseconds.
class VirtualWorld::Pump : public EventPump {
 public:
  explicit Pump(VirtualWorld& world) : world_(world) {}

  void Add(JobTime time, std::function<void()> action) {
    actions_.emplace(time, std::move(action));
  }

  void PumpEvents() override {
    // An action may end the job by throwing, or queue another: take each off the queue first.
    while (!actions_.empty() && actions_.begin()->first <= world_.clock.Now()) {
      std::function<void()> action = std::move(actions_.begin()->second);
      actions_.erase(actions_.begin());
      action();
    }
  }

  // Like the real pump, it wakes on something new: bytes that arrived earlier and still wait
  // to be read do not wake it, or a job waiting for its output to drain would never move on.
  void WaitForActivity(std::optional<JobTime> until) override {
    if (actions_.empty() || actions_.begin()->first > world_.clock.Now()) {
      std::optional<JobTime> next = world_.serial.NextEvent();
      if (!actions_.empty() && (!next || actions_.begin()->first < *next)) {
        next = actions_.begin()->first;
      }
      if (until && (!next || *until < *next)) next = until;
      if (!next) throw std::logic_error("the job waits forever");
      world_.clock.AdvanceTo(*next);
    }
    PumpEvents();
  }

 private:
  VirtualWorld& world_;
  std::multimap<JobTime, std::function<void()>> actions_;  // equal times keep their order
};

// A pause blocks the job and serves no event: the clock simply jumps.
class VirtualWorld::Pause : public Sleeper {
 public:
  explicit Pause(VirtualWorld& world) : world_(world) {}
  void Sleep(std::chrono::milliseconds pause) override {
    world_.clock.AdvanceTo(world_.clock.Now() + pause);
  }

 private:
  VirtualWorld& world_;
};

class VirtualWorld::Ending : public Termination {
 public:
  explicit Ending(VirtualWorld& world) : world_(world) {}

 private:
  void Stop() override { throw JobTerminated{world_.clock.Now()}; }

  VirtualWorld& world_;
};

VirtualWorld::VirtualWorld(std::string_view scenario, JobTime start,
                           std::unique_ptr<CommandSet> commands)
    : pump_(std::make_unique<Pump>(*this)),
      sleep_(std::make_unique<Pause>(*this)),
      stop_(std::make_unique<Ending>(*this)),
      commands_(commands ? std::move(commands) : std::make_unique<HashCommandSet>()),
      clock(start),
      serial(
          scenario, [this] { return clock.Now(); }, dir_.Path()),
      ctx{values, console, window, *pump_, clock, *sleep_, *stop_, dir_.Path()},
      endings(ctx, engine, commands_.get()),
      engine(serial, values, console, *pump_, clock, endings, commands_->EventsAmongReplies()),
      modem{engine, *commands_, values} {}

VirtualWorld::~VirtualWorld() = default;

void VirtualWorld::At(JobTime time, std::function<void()> action) {
  pump_->Add(time, std::move(action));
}

JobTime VirtualWorld::RunToEnd(const std::function<void()>& job) {
  try {
    job();
  } catch (const JobTerminated& end) {
    return end.at;
  }
  ADD_FAILURE() << "the job returned without terminating";
  return clock.Now();
}

std::string VirtualWorld::ReadFile(std::string_view name) const {
  std::ifstream file(Dir() / name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool VirtualWorld::Exists(std::string_view name) const {
  return std::filesystem::exists(Dir() / name);
}

void VirtualWorld::WriteFile(std::string_view name, std::string_view bytes) const {
  std::ofstream file(Dir() / name, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + (Dir() / name).string());
}

std::vector<std::string> VirtualWorld::Files() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(Dir())) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}
