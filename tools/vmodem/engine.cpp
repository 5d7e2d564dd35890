#include "vmodem/engine.h"

#include <algorithm>
#include <utility>

#include "vmodem/escape.h"

namespace vmodem {
namespace {

constexpr char kEtx = 3;
constexpr char kDle = 16;
constexpr char kCr = 13;
constexpr char kReceiveAbort = '!';  // after DLE: the V.253 host ends a reception
constexpr std::string_view kDleEtx{"\x10\x03", 2};
constexpr std::chrono::milliseconds kStreamTick{10};

}  // namespace

Engine::Engine(Scenario s, std::optional<ChaosSettings> chaos, const Profile* profile)
    : scenario_(profile ? WithProfile(*profile, std::move(s)) : std::move(s)),
      chaos_(chaos),
      profile_(profile),
      echo_(scenario_.echo) {
  for (const Rule& rule : scenario_.rules) {
    const auto found = std::find(patterns_.begin(), patterns_.end(), rule.pattern);
    rule_pattern_.push_back(static_cast<std::size_t>(found - patterns_.begin()));
    if (found == patterns_.end()) patterns_.push_back(rule.pattern);
  }
  pattern_matches_.assign(patterns_.size(), 0);
}

std::size_t Engine::Receive(std::string_view bytes, SimTime now) {
  AdvanceTo(now);
  std::size_t taken = 0;
  // A modem that has left the line, or locked up on the last byte, takes no more.
  for (; taken < bytes.size() && gone_ == Departure::kNone; ++taken) {
    const char b = bytes[taken];
    transcript_ += b;
    if (mode_ == Mode::kCommand && now_ < deaf_until_) continue;
    switch (mode_) {
      case Mode::kCommand:
        ReceiveCommandByte(b);
        break;
      case Mode::kVoiceTx:
        ReceiveVoiceTxByte(b);
        break;
      case Mode::kVoiceRx:
        ReceiveVoiceRxByte(b);
        break;
    }
  }
  return taken;
}

std::string Engine::TakeOutput(SimTime now) {
  AdvanceTo(now);
  return std::exchange(out_, {});
}

std::optional<SimTime> Engine::NextEvent() const {
  if (!out_.empty()) return now_;
  std::optional<SimTime> next = NextStreamTick();
  for (const Sequence& seq : sequences_) {
    if (seq.done || seq.block != Block::kNone) continue;
    if (!next || seq.at < *next) next = seq.at;
  }
  return next;
}

// Runs everything that falls due up to `time` in time order, so that sequences and the voice
// stream see each other's effects as they would on a real line.
void Engine::AdvanceTo(SimTime time) {
  time = std::max(time, now_);
  for (;;) {
    ReleaseSatisfied();
    Sequence* next = nullptr;
    for (Sequence& seq : sequences_) {
      if (seq.done || seq.block != Block::kNone) continue;
      if (!next || seq.at < next->at) next = &seq;
    }
    const std::optional<SimTime> tick = NextStreamTick();
    if (tick && *tick <= time && (!next || *tick < next->at)) {
      now_ = std::max(now_, *tick);
      SendStreamTick();
    } else if (next && next->at <= time) {
      now_ = std::max(now_, next->at);
      Run(*next);
    } else {
      break;
    }
  }
  std::erase_if(sequences_, [](const Sequence& seq) { return seq.done; });
  now_ = time;
}

std::optional<SimTime> Engine::NextStreamTick() const {
  if (!stream_) return std::nullopt;
  return stream_->start + (stream_->ticks + 1) * kStreamTick;
}

void Engine::SendStreamTick() {
  Stream& s = *stream_;
  ++s.ticks;
  // Ten bits a byte: a tick of 10 ms carries baud / 1000 bytes, kept exact over the stream.
  const auto due = static_cast<std::size_t>(s.ticks * scenario_.baud / 1000);
  const std::size_t until = std::min(due, s.data.size());
  out_.append(s.data, s.sent, until - s.sent);
  s.sent = until;
  if (s.sent == s.data.size()) {
    Note("voice-rx sent " + std::to_string(s.sent) + " bytes");
    stream_.reset();
  }
}

void Engine::Run(Sequence& seq) {
  while (seq.next < seq.actions.size()) {
    const Action& action = seq.actions[seq.next++];
    switch (action.kind) {
      case Action::Kind::kWait:
        seq.at = now_ + action.wait;
        return;
      case Action::Kind::kUntilBytes:
      case Action::Kind::kUntilEnd:
        seq.block = action.kind == Action::Kind::kUntilBytes ? Block::kBytes : Block::kEnd;
        seq.block_bytes = action.amount;
        // Outside a transmission the wait is for the next one.
        seq.block_tx = transmissions_ + (mode_ == Mode::kVoiceTx ? 0 : 1);
        if (!Satisfied(seq)) return;
        seq.block = Block::kNone;
        break;
      default:
        Perform(action);
        if (gone_ != Departure::kNone) return;
    }
  }
  seq.done = true;
}

void Engine::Perform(const Action& action) {
  switch (action.kind) {
    case Action::Kind::kReply:
      SendLine(action.text);
      break;
    case Action::Kind::kBytes:
      SendRaw(action.text);
      break;
    case Action::Kind::kKey:
      out_ += kDle;
      out_ += action.text;
      Note("key " + EscapeBytes(action.text));
      break;
    case Action::Kind::kVoiceTx:
      if (mode_ != Mode::kCommand) {
        Note("voice-tx ignored: not in command mode");
        break;
      }
      mode_ = Mode::kVoiceTx;
      dle_ = false;
      line_.clear();
      ++transmissions_;
      voice_data_.emplace_back();
      Note("voice-tx start");
      break;
    case Action::Kind::kVoiceRx:
      if (mode_ != Mode::kCommand) {
        Note("voice-rx ignored: not in command mode");
        break;
      }
      mode_ = Mode::kVoiceRx;
      dle_ = false;
      line_.clear();
      Note("voice-rx start");
      if (scenario_.baud == 0) {
        out_ += action.text;
        Note("voice-rx sent " + std::to_string(action.text.size()) + " bytes");
      } else {
        stream_ = Stream{action.text, now_};
      }
      break;
    case Action::Kind::kFlood:
      for (std::int64_t i = 0; i < action.amount; ++i) out_ += static_cast<char>('!' + i % 94);
      Note("flood " + std::to_string(action.amount) + " bytes");
      break;
    case Action::Kind::kVanish:
    case Action::Kind::kHangUp:
    case Action::Kind::kLockUp:
      if (gone_ != Departure::kNone) break;
      gone_ = action.kind == Action::Kind::kVanish   ? Departure::kVanished
              : action.kind == Action::Kind::kHangUp ? Departure::kHungUp
                                                     : Departure::kLockedUp;
      for (Sequence& seq : sequences_) seq.done = true;  // nothing the modem would still do
      stream_.reset();
      Note(gone_ == Departure::kVanished ? "vanish"
           : gone_ == Departure::kHungUp ? "hangup"
                                         : "lock-up");
      break;
    default:
      break;  // waits and blocks belong to the sequence
  }
}

bool Engine::Satisfied(const Sequence& seq) const {
  if (transmissions_ != seq.block_tx) return transmissions_ > seq.block_tx;
  // A transmission that ended short of the count releases the wait: nothing more can come.
  if (mode_ != Mode::kVoiceTx) return true;
  return seq.block == Block::kBytes &&
         static_cast<std::int64_t>(voice_data_.back().size()) >= seq.block_bytes;
}

void Engine::ReleaseSatisfied() {
  for (Sequence& seq : sequences_) {
    if (seq.done || seq.block == Block::kNone || !Satisfied(seq)) continue;
    seq.block = Block::kNone;
    seq.at = now_;
  }
}

void Engine::ReceiveCommandByte(char b) {
  // A modem echoes as the characters come, before it looks at the line.
  if (echo_) out_ += b;
  if (b == kCr) {
    const std::string text = std::exchange(line_, {});
    if (!text.empty()) HandleCommand(text);
  } else if (static_cast<unsigned char>(b) >= 32) {
    line_ += b;
  }
}

// vmodem keeps its own DLE state machine (`dle_`, here and in reception) on purpose rather than
// share talvo's: so it checks talvo's independently instead of agreeing with it by construction.
void Engine::ReceiveVoiceTxByte(char b) {
  voice_data_.back() += b;
  if (dle_) {
    dle_ = false;
    if (b == kEtx) {
      mode_ = Mode::kCommand;
      Note("voice-tx end " + std::to_string(voice_data_.back().size()) + " bytes");
      EndVoice(Occasion::Kind::kTransmitEnd);
    }
  } else if (b == kDle) {
    dle_ = true;
  }
  AdvanceTo(now_);  // a sequence may be waiting for this byte
}

void Engine::ReceiveVoiceRxByte(char b) {
  if (dle_) {
    dle_ = false;
    if (b == (scenario_.v253 ? kReceiveAbort : kEtx)) {
      stream_.reset();  // whatever was not streamed yet is never sent
      mode_ = Mode::kCommand;
      Note("voice-rx end");
      EndVoice(Occasion::Kind::kReceiveEnd);
    }
  } else if (b == kDle) {
    dle_ = true;
  }
}

void Engine::HandleCommand(const std::string& text) {
  Note("command " + text);  // control characters never reach a command line
  if (profile_) caller_id_ = CallerIdAfter(*profile_, text, caller_id_);
  const std::size_t off = text.rfind("E0");
  const std::size_t on = text.rfind("E1");
  if (off != std::string::npos || on != std::string::npos) {
    echo_ = on != std::string::npos && (off == std::string::npos || on > off);
  }
  // Every pattern that matches counts the line, whichever rule answers it.
  std::vector<bool> matched(patterns_.size());
  for (std::size_t i = 0; i < patterns_.size(); ++i) {
    matched[i] = MatchesPattern(patterns_[i], text);
    if (matched[i]) ++pattern_matches_[i];
  }
  const ChaosEvent event{ChaosEvent::Kind::kCommand, ++commands_};
  const Occasion occasion{Occasion::Kind::kCommand, text};
  for (std::size_t r = 0; r < scenario_.rules.size(); ++r) {
    const Rule& rule = scenario_.rules[r];
    const std::size_t p = rule_pattern_[r];
    if (!matched[p] || (rule.occurrence != 0 && rule.occurrence != pattern_matches_[p])) continue;
    Start(rule.actions, event, occasion);
    return;
  }
  Start({{Action::Kind::kReply, "OK"}}, event, occasion);
}

void Engine::EndVoice(Occasion::Kind end) {
  std::vector<Action> reply;
  // Some V.253 modems echo the end first.
  if (scenario_.v253) reply.push_back({Action::Kind::kBytes, std::string(kDleEtx)});
  reply.push_back({Action::Kind::kReply, scenario_.v253 ? "OK" : "VCON"});
  Start(std::move(reply), {ChaosEvent::Kind::kVoiceEnd, ++voice_ends_}, {end});
}

void Engine::Start(std::vector<Action> actions, ChaosEvent event, const Occasion& occasion) {
  if (profile_) actions = Rewrite(*profile_, occasion, caller_id_, std::move(actions));
  if (chaos_) {
    ChaosPlan plan = PlanChaos(*chaos_, event, std::move(actions));
    for (std::string& note : plan.notes) Note(std::move(note));
    if (plan.flip_echo) echo_ = !echo_;
    if (plan.deaf != std::chrono::milliseconds::zero()) deaf_until_ = now_ + plan.deaf;
    actions = std::move(plan.actions);
  }
  if (actions.empty()) return;
  // The answer starts before anything else that falls due now.
  sequences_.push_back(Sequence{.actions = std::move(actions), .at = now_});
  Run(sequences_.back());
  AdvanceTo(now_);
}

void Engine::SendLine(std::string_view text) {
  out_ += "\r\n";
  out_ += text;
  out_ += "\r\n";
  Note("sent " + EscapeBytes(text));
}

void Engine::SendRaw(std::string_view bytes) {
  out_ += bytes;
  Note("sent " + EscapeBytes(bytes));
}

void Engine::Note(std::string text) {
  log_.push_back({now_, std::move(text)});
}

}  // namespace vmodem
