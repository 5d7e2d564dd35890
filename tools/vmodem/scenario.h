#pragma once
// A scenario says how the simulated modem answers: which command lines get which replies,
// and when. It is plain text, one statement a line:
//
//   # a comment (whole lines only)
//   echo off                      the modem starts with its command echo off (default: on)
//   baud 38400                    voice data moves at this line speed (default: unpaced)
//   command-set v253              voice transmit and receive end as on a V.253 modem
//                                 (default: hash, the "#" set)
//   on "ATD*" [#N]: ACTIONS       what the modem does for a matching command line
//
// vmodem(1) (man/vmodem.1.in) describes the actions. Parsing reads every voice file a scenario
// names, so a missing file is reported before anything runs.
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vmodem {

struct Action {
  enum class Kind {
    kReply,       // `text`: one reply line, framed CR LF text CR LF
    kBytes,       // `text`: raw bytes
    kKey,         // `text`: the key reported after DLE
    kWait,        // `wait`
    kVoiceTx,     // the host's bytes are voice data until DLE ETX
    kVoiceRx,     // `text`: the voice data the modem streams
    kUntilBytes,  // `amount`: voice bytes received in the current transmission
    kUntilEnd,    // the current transmission has ended
    kFlood,       // `amount`: bytes of line noise, no line end and no DLE among them
    kVanish,      // the modem goes away for good, as an unplugged one does
    kHangUp,      // the line hangs up: the host's reads find its end, its writes fail
    kLockUp,      // the modem stops reading and answering; the port stays open
  };
  Kind kind;
  std::string text;
  std::int64_t amount = 0;  // bytes
  std::chrono::milliseconds wait{0};

  bool operator==(const Action&) const = default;
};

struct Rule {
  std::string pattern;  // `*` matches any run of characters
  int occurrence = 0;   // only the Nth command line matching `pattern`; 0 = every one
  std::vector<Action> actions;

  bool operator==(const Rule&) const = default;
};

struct Scenario {
  std::vector<Rule> rules;
  bool echo = true;
  int baud = 0;  // 0: no pacing
  // The V.253 set: a voice transmission ends with DLE ETX echoed and "OK", a reception with the
  // host's DLE "!", answered DLE ETX and "OK". The "#" set answers both with "VCON".
  bool v253 = false;
};

// Throws std::runtime_error("line N: ...") on the first line it cannot read. Voice files are
// looked up relative to `base_dir`.
Scenario ParseScenario(std::string_view text, const std::filesystem::path& base_dir);

// Whether `text` matches `pattern` as a whole, case-sensitively.
bool MatchesPattern(std::string_view pattern, std::string_view text);

}  // namespace vmodem
