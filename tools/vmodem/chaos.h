#pragma once
// Chaos: a seeded mix of the faults a real line and a real modem produce, laid over a scenario.
//
// Each dialogue event (the Nth command line, the Nth reply that ends a voice transmission or
// reception) gets its own generator, seeded from the run's seed and the event alone. So the
// same seed gives the same faults at the same points of the dialogue, however the host's bytes
// happen to be split and timed on the line. An event meets a fault with the chance `rate`;
// each reply line and each voice stream among its actions is judged on its own, the command
// line once. A fault is a rewrite of the event's actions (a wait inserted, a reply's bytes
// changed, a vanish appended), plus two changes of the modem's state that the engine applies:
// the echo switched over, and a while in which it hears nothing.
//
// The generator is splitmix64 and the draws are plain integer arithmetic on its output, so a
// seed means the same faults on every platform and standard library.
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "vmodem/scenario.h"

namespace vmodem {

struct ChaosSettings {
  std::uint64_t seed = 0;
  double rate = 0.05;  // chance of a fault per reply line, voice stream and command line
};

struct ChaosEvent {
  enum class Kind { kCommand, kVoiceEnd };
  Kind kind;
  std::int64_t index;  // counts from 1 per kind
};

struct ChaosPlan {
  std::vector<Action> actions;
  bool flip_echo = false;
  // The modem hears nothing for this long, this command included.
  std::chrono::milliseconds deaf{0};
  std::vector<std::string> notes;  // one line per fault, for the log

  bool operator==(const ChaosPlan&) const = default;
};

// The shortest reply time-out of the host: the longest delay that must not make it give up.
inline constexpr std::chrono::milliseconds kHostShortestTimeout{5000};
// The host's usual reply time-out (call progress has its own): a delay past it makes the wait
// give up.
inline constexpr std::chrono::milliseconds kHostUsualTimeout{15000};

ChaosPlan PlanChaos(const ChaosSettings& settings, ChaosEvent event, std::vector<Action> actions);

}  // namespace vmodem
