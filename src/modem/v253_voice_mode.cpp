#include "modem/v253_voice_mode.h"

#include <cstddef>
#include <cstdio>
#include <string>

#include "console/term_write.h"
#include "modem/compression_listing.h"
#include "modem/reply_fields.h"
#include "modem/value_ranges.h"

namespace {

// No modem lists more devices or codings than this; the lines beyond are dropped, so that a
// modem that floods the line cannot fill the memory.
constexpr std::size_t kLongestListing = 64;

struct Answer {
  bool ok;
  std::vector<std::string> lines;  // before the final result, the command's echo left out
};

class Dialogue {
 public:
  Dialogue(CommandEngine& engine, JobValues& v) : v_(v), engine_(engine) {}

  Answer Ask(const std::string& command) {
    engine_.Send(command);
    Answer answer{.ok = false, .lines = {}};
    for (;;) {
      engine_.ReadReplyOrEnd();
      if (engine_.Event()) continue;  // a stray event (a hook, a ring) is no part of the answer
      if (v_.ReplyLine == "OK" || v_.ReplyLine == "ERROR") {
        answer.ok = v_.ReplyLine == "OK";
        return answer;
      }
      if (v_.ReplyLine != command && answer.lines.size() < kLongestListing) {
        answer.lines.push_back(v_.ReplyLine);
      }
    }
  }

  // `name` is the setting without "AT", e.g. "+VRN".
  void SetTimer(const std::string& name, int wanted) {
    if (Ask("AT" + name + "=" + std::to_string(wanted)).ok) return;
    const Answer offered = Ask("AT" + name + "=?");
    if (!offered.ok || offered.lines.empty()) return;
    const auto value = LargestUpTo(ParseValueRanges(WithoutPrefix(offered.lines[0], name)), wanted);
    if (value) Ask("AT" + name + "=" + std::to_string(*value));
  }

 private:
  JobValues& v_;
  CommandEngine& engine_;
};

void ReportNoCoding(const VoiceCoding& coding, const std::vector<CompressionMethod>& methods) {
  std::string offered;
  for (const CompressionMethod& method : methods) {
    offered +=
        (offered.empty() ? " " : ", ") + std::to_string(method.number) + " \"" + method.name + "\"";
  }
  std::fprintf(stderr, "talvo: the modem has no voice coding %s at %d Hz; it offers:%s\n",
               coding.name.c_str(), coding.rate, offered.empty() ? " nothing" : offered.c_str());
}

// The modem counts this timer in whole seconds.
int WholeSeconds(int tenths) {
  return (tenths + 9) / 10;
}

}  // namespace

std::vector<DeviceConfiguration> EnterV253VoiceMode(CommandEngine& engine, JobValues& v,
                                                    TextBox& term, Endings& endings,
                                                    const VoiceCoding& coding,
                                                    RingbackTimers timers) {
  Dialogue dialogue(engine, v);
  if (!dialogue.Ask("AT+FCLASS=8").ok) {
    TermWrite(term, kNotAVoiceModem);
  }
  std::vector<DeviceConfiguration> devices = ParseDeviceListing(dialogue.Ask("AT+VLS=?").lines);

  const std::vector<CompressionMethod> methods =
      ParseCompressionListing(dialogue.Ask("AT+VSM=?").lines);
  const auto method = ChooseMethod(methods, coding);
  if (!method) {
    ReportNoCoding(coding, methods);
    endings.NoResponseEnding();
  }
  TermWrite(term, "****  Voice coding " + std::to_string(method->number) + " \"" + method->name +
                      "\" at " + std::to_string(coding.rate) + " Hz  ****\r");
  dialogue.Ask("AT+VSM=" + std::to_string(method->number) + "," + std::to_string(coding.rate));

  dialogue.Ask("AT+VLS=0");
  dialogue.SetTimer("+VRA", timers.goes_away);
  dialogue.SetTimer("+VRN", WholeSeconds(timers.never_came));
  return devices;
}
