#pragma once
// The simulated voice modem: bytes in, bytes out, on a timeline in milliseconds that the front
// end supplies (the engine never reads a clock). In command mode the host's bytes form command
// lines ended by CR; each line starts the action sequence of the first matching scenario rule,
// and sequences run side by side. Voice transmit takes the host's bytes as voice data until an
// unshielded DLE ETX; voice receive streams scenario data to the host until the host sends DLE
// ETX (DLE "!" on a V.253 modem). Work that falls due is done lazily, whenever the front end hands
// over bytes or asks for output, and is stamped with the time it fell due, not the time it was
// noticed. With a chip profile, every command line's actions and every end-of-voice reply are
// first said as that chip says them (vmodem/profile.h); with chaos, they then pass through the
// chaos planner (vmodem/chaos.h).
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vmodem/chaos.h"
#include "vmodem/profile.h"
#include "vmodem/scenario.h"

namespace vmodem {

// A moment on the modem's timeline, from the start that the front end chose.
using SimTime = std::chrono::milliseconds;

struct LogEntry {
  SimTime at;
  std::string text;
};

class Engine {
 public:
  explicit Engine(Scenario s, std::optional<ChaosSettings> chaos = std::nullopt,
                  const Profile* profile = nullptr);

  // Bytes the host sent, arriving at `now`. Returns how many the modem took: all of them, unless
  // it left the line or locked up.
  std::size_t Receive(std::string_view bytes, SimTime now);
  // Everything the modem has sent by `now` and not yet handed over.
  std::string TakeOutput(SimTime now);
  // When the modem next acts by itself; nullopt when it only waits for the host. Output not
  // yet taken counts as due at the engine's current time.
  std::optional<SimTime> NextEvent() const;

  const std::string& Transcript() const { return transcript_; }
  const std::vector<LogEntry>& Log() const { return log_; }
  // One entry per voice transmission, as received: a finished one ends with its DLE ETX.
  const std::vector<std::string>& VoiceData() const { return voice_data_; }
  int BaudRate() const { return scenario_.baud; }

  // How the modem left the line, once it has; the front end then ends the line that way and
  // nothing more moves. A modem that locked up leaves the port open but takes no more bytes.
  enum class Departure { kNone, kVanished, kHungUp, kLockedUp };
  Departure Gone() const { return gone_; }

 private:
  enum class Mode { kCommand, kVoiceTx, kVoiceRx };
  enum class Block { kNone, kBytes, kEnd };

  struct Sequence {
    std::vector<Action> actions;
    std::size_t next = 0;  // index of the next action
    SimTime at{};          // when the next action runs, unless blocked
    Block block = Block::kNone;
    std::int64_t block_bytes = 0;
    int block_tx = 0;  // the transmission (1-based count) a block waits on
    bool done = false;
  };

  struct Stream {
    std::string data;
    SimTime start;
    std::int64_t ticks = 0;  // paced chunks sent so far
    std::size_t sent = 0;
  };

  void AdvanceTo(SimTime time);
  std::optional<SimTime> NextStreamTick() const;
  void SendStreamTick();
  void Run(Sequence& seq);
  void Perform(const Action& action);
  bool Satisfied(const Sequence& seq) const;
  void ReleaseSatisfied();

  void ReceiveCommandByte(char b);
  void ReceiveVoiceTxByte(char b);
  void ReceiveVoiceRxByte(char b);
  void HandleCommand(const std::string& text);
  void EndVoice(Occasion::Kind end);
  void Start(std::vector<Action> actions, ChaosEvent event, const Occasion& occasion);

  void SendLine(std::string_view text);
  void SendRaw(std::string_view bytes);
  void Note(std::string text);

  Scenario scenario_;
  std::optional<ChaosSettings> chaos_;
  const Profile* profile_;
  bool caller_id_ = false;       // the host switched the profile's caller ID on
  std::int64_t commands_ = 0;    // command lines heard
  std::int64_t voice_ends_ = 0;  // voice transmissions and receptions ended
  SimTime deaf_until_{0};
  std::vector<std::string> patterns_;      // distinct rule patterns
  std::vector<std::size_t> rule_pattern_;  // rule index -> index into patterns_
  std::vector<int> pattern_matches_;       // command lines matched so far, per pattern

  SimTime now_{0};
  Mode mode_ = Mode::kCommand;
  bool echo_;
  bool dle_ = false;  // the last voice byte from the host was an unshielded DLE
  std::string line_;
  int transmissions_ = 0;
  std::vector<Sequence> sequences_;
  std::optional<Stream> stream_;
  Departure gone_ = Departure::kNone;

  std::string out_;
  std::string transcript_;
  std::vector<LogEntry> log_;
  std::vector<std::string> voice_data_;
};

}  // namespace vmodem
