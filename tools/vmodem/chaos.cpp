#include "vmodem/chaos.h"

#include <array>
#include <string_view>
#include <utility>

#include "vmodem/escape.h"

namespace vmodem {
namespace {

using namespace std::chrono_literals;

constexpr char kDle = 16;

std::uint64_t Mix(std::uint64_t z) {
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
  return z ^ (z >> 31);
}

class SplitMix {
 public:
  explicit SplitMix(std::uint64_t state) : state_(state) {}

  std::uint64_t Next() { return Mix(state_ += 0x9E3779B97F4A7C15u); }
  // In [lo, hi]; lo when the range is empty.
  std::int64_t Between(std::int64_t lo, std::int64_t hi) {
    if (hi < lo) return lo;
    return lo + static_cast<std::int64_t>(Next() % static_cast<std::uint64_t>(hi - lo + 1));
  }
  std::chrono::milliseconds Between(std::chrono::milliseconds lo, std::chrono::milliseconds hi) {
    return std::chrono::milliseconds(Between(lo.count(), hi.count()));
  }
  bool Chance(double p) { return static_cast<double>(Next() >> 11) < p * 0x1p53; }
  template <typename T, std::size_t N>
  T Pick(const std::array<std::pair<T, int>, N>& weighted) {
    int total = 0;
    for (const auto& [item, weight] : weighted) total += weight;
    std::int64_t roll = Between(0, total - 1);
    for (const auto& [item, weight] : weighted) {
      if (roll < weight) return item;
      roll -= weight;
    }
    return weighted.back().first;
  }

 private:
  std::uint64_t state_;
};

enum class ReplyFault { kNoise, kDrop, kDouble, kDelay, kNearTimeout, kPastTimeout, kStray, kDle };
constexpr std::array<std::pair<ReplyFault, int>, 8> kReplyFaults{{
    {ReplyFault::kNoise, 3},
    {ReplyFault::kDrop, 2},
    {ReplyFault::kDouble, 2},
    {ReplyFault::kDelay, 4},
    {ReplyFault::kNearTimeout, 2},
    {ReplyFault::kPastTimeout, 1},
    {ReplyFault::kStray, 2},
    {ReplyFault::kDle, 2},
}};

enum class CommandFault { kFlipEcho, kDeaf, kVanish };
constexpr std::array<std::pair<CommandFault, int>, 3> kCommandFaults{{
    {CommandFault::kFlipEcho, 4},
    {CommandFault::kDeaf, 1},
    {CommandFault::kVanish, 1},
}};

// Result codes a modem sends unasked, and some no host knows.
constexpr std::array<std::string_view, 8> kStrayCodes = {
    "RING", "OK", "ERROR", "NO CARRIER", "+FCERROR", "DELAYED", "MODEM 0", "~~~"};
// Event characters that neither end a message nor stand for a key, a busy or a dial tone.
constexpr std::string_view kMeaninglessEvents = "efghijklmnoprtuvwxyEFGHIJKLMNOPRTUVWXY";

void RewriteReply(SplitMix& gen, const Action& reply, ChaosPlan& plan) {
  const std::string framed = "\r\n" + reply.text + "\r\n";
  auto note = [&](std::string what) {
    plan.notes.push_back("chaos " + std::move(what) + " at reply " + EscapeBytes(reply.text));
  };
  const ReplyFault fault = gen.Pick(kReplyFaults);
  switch (fault) {
    case ReplyFault::kNoise: {
      std::string noise(static_cast<std::size_t>(gen.Between(1, 40)), ' ');
      for (char& c : noise) c = static_cast<char>(gen.Between('!', '~'));
      plan.actions.push_back({Action::Kind::kBytes, noise});
      plan.actions.push_back(reply);
      note("noise " + std::to_string(noise.size()) + " bytes");
      return;
    }
    case ReplyFault::kDrop:
    case ReplyFault::kDouble: {
      const bool drop = fault == ReplyFault::kDrop;
      const auto at = static_cast<std::size_t>(gen.Between(0, std::ssize(framed) - 1));
      std::string bytes = framed;
      if (drop) {
        bytes.erase(at, 1);
      } else {
        bytes.insert(at, 1, bytes[at]);
      }
      plan.actions.push_back({Action::Kind::kBytes, bytes});
      note((drop ? "dropped byte " : "doubled byte ") + std::to_string(at));
      return;
    }
    case ReplyFault::kDelay:
    case ReplyFault::kNearTimeout:
    case ReplyFault::kPastTimeout: {
      // Past the time-out by more than the host's whole-second clock can add.
      const std::chrono::milliseconds delay =
          fault == ReplyFault::kDelay ? gen.Between(50ms, 2000ms)
          : fault == ReplyFault::kNearTimeout
              ? gen.Between(kHostShortestTimeout - 1000ms, kHostShortestTimeout - 100ms)
              : gen.Between(kHostUsualTimeout + 1500ms, kHostUsualTimeout + 2500ms);
      plan.actions.push_back({Action::Kind::kWait, "", 0, delay});
      plan.actions.push_back(reply);
      note("delay " + std::to_string(delay.count()) + " ms");
      return;
    }
    case ReplyFault::kStray: {
      const auto code = kStrayCodes[static_cast<std::size_t>(gen.Between(0, 7))];
      plan.actions.push_back(reply);
      plan.actions.push_back({Action::Kind::kReply, std::string(code)});
      note("stray " + std::string(code));
      return;
    }
    case ReplyFault::kDle: {
      const char c = kMeaninglessEvents[static_cast<std::size_t>(
          gen.Between(0, std::ssize(kMeaninglessEvents) - 1))];
      plan.actions.push_back(reply);
      plan.actions.push_back({Action::Kind::kKey, std::string(1, c)});
      note(std::string("DLE ") + c);
      return;
    }
  }
}

// Keeps a random beginning of the stream and its closing DLE pair, never a DLE without its
// partner, so the host still learns that the message ended.
void CutStream(SplitMix& gen, const Action& stream, ChaosPlan& plan) {
  const std::string& data = stream.text;
  const bool closed = data.size() >= 2 && data[data.size() - 2] == kDle;
  const std::size_t body = data.size() - (closed ? 2 : 0);
  auto cut = static_cast<std::size_t>(gen.Between(0, static_cast<std::int64_t>(body)));
  bool open = false;
  for (std::size_t i = 0; i < cut; ++i) open = !open && data[i] == kDle;
  if (open) --cut;
  plan.actions.push_back(
      {Action::Kind::kVoiceRx, data.substr(0, cut) + (closed ? data.substr(body) : "")});
  plan.notes.push_back("chaos voice stream cut after " + std::to_string(cut) + " of " +
                       std::to_string(body) + " bytes");
}

void DisturbCommand(SplitMix& gen, ChaosPlan& plan) {
  switch (gen.Pick(kCommandFaults)) {
    case CommandFault::kFlipEcho:
      plan.flip_echo = true;
      plan.notes.push_back("chaos echo switched over");
      return;
    case CommandFault::kDeaf:
      plan.deaf = gen.Between(1000ms, 8000ms);
      plan.actions.clear();
      plan.notes.push_back("chaos deaf for " + std::to_string(plan.deaf.count()) + " ms");
      return;
    case CommandFault::kVanish: {
      const std::chrono::milliseconds delay = gen.Between(0ms, 2000ms);
      plan.actions.push_back({Action::Kind::kWait, "", 0, delay});
      plan.actions.push_back({Action::Kind::kVanish, ""});
      plan.notes.push_back("chaos vanish after " + std::to_string(delay.count()) + " ms");
      return;
    }
  }
}

}  // namespace

ChaosPlan PlanChaos(const ChaosSettings& settings, ChaosEvent event, std::vector<Action> actions) {
  SplitMix gen(Mix(Mix(settings.seed) ^ static_cast<std::uint64_t>(event.kind)) ^
               static_cast<std::uint64_t>(event.index));
  ChaosPlan plan;
  for (Action& action : actions) {
    if (action.kind == Action::Kind::kReply && gen.Chance(settings.rate)) {
      RewriteReply(gen, action, plan);
    } else if (action.kind == Action::Kind::kVoiceRx && gen.Chance(settings.rate)) {
      CutStream(gen, action, plan);
    } else {
      plan.actions.push_back(std::move(action));
    }
  }
  if (event.kind == ChaosEvent::Kind::kCommand && gen.Chance(settings.rate)) {
    DisturbCommand(gen, plan);
  }
  return plan;
}

}  // namespace vmodem
