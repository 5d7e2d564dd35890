// Reply lines and call progress. The input's first three bytes set up the job: flags (bit 0
// echo on the console, bit 1 wait for call progress instead of reading single lines, bit 2 the
// V.253 command set, whose reads also take DLE events), the
// reply time-out (byte % 32 - 1 seconds) and the pause before each of the modem's bytes
// (byte * 100 ms). The rest is what the modem sends.
#include <algorithm>
#include <chrono>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "check.h"
#include "console/memory_text_box.h"
#include "core/dle.h"
#include "core/endings.h"
#include "modem/call_progress.h"
#include "modem/command_engine.h"
#include "modem/hash_command_set.h"
#include "modem/serial_control.h"
#include "modem/v253_command_set.h"
#include "platform/event_pump.h"
#include "platform/job_clock.h"

namespace {

using std::chrono::milliseconds;

// The modem on an open port, and the time it lives in. Its bytes arrive one by one, `pause`
// apart; time moves only while the job waits for activity, up to the next byte or to the end
// of the wait, whichever comes first. It shows one waiting byte at a time, so what the reader
// has taken from it is what the reader has consumed.
class PacedModem : public SerialControl, public JobClock, public EventPump {
 public:
  PacedModem(std::string_view bytes, milliseconds pause) : bytes_(bytes), pause_(pause) {}

  bool SetCommPort(int) override { return true; }
  bool SetPortOpen(bool) override { return true; }
  bool PortOpen() const override { return true; }
  bool SetSettings(std::string_view) override { return true; }
  std::string Settings() const override { return "9600,n,8,1"; }
  int InBufferSize() const override { return INT_MAX; }
  int OutBufferSize() const override { return INT_MAX; }
  int InBufferCount() override { return Arrived() > taken_ ? 1 : 0; }
  void SetInputLen(int len) override { input_len_ = static_cast<std::size_t>(std::max(len, 0)); }
  std::string Input() override {
    const std::size_t waiting = Arrived() - taken_;
    const std::size_t n = input_len_ == 0 ? waiting : std::min(input_len_, waiting);
    const std::string got(bytes_.substr(taken_, n));
    taken_ += n;
    if (n > 0) last_taken_at_ = now_;
    return got;
  }
  void Output(std::string_view) override {}
  int OutBufferCount() override { return 0; }
  bool Lost() override { return false; }

  JobTime Now() override { return now_; }

  void PumpEvents() override {}
  void WaitForActivity(std::optional<JobTime> until) override {
    const bool more = Arrived() < bytes_.size();
    FUZZ_CHECK(until || more);  // else the wait would never end
    if (more && (!until || ArrivalOf(Arrived()) < *until)) {
      now_ = ArrivalOf(Arrived());
    } else {
      now_ = std::max(now_, *until);
    }
  }

  std::string_view Taken() const { return bytes_.substr(0, taken_); }
  bool AllTaken() const { return taken_ == bytes_.size(); }
  JobTime LastTakenAt() const { return last_taken_at_; }

 private:
  static constexpr JobTime kStart = std::chrono::hours(10);

  JobTime ArrivalOf(std::size_t i) const { return kStart + pause_ * static_cast<int>(i + 1); }
  std::size_t Arrived() const {
    if (pause_.count() == 0) return bytes_.size();
    const auto count = static_cast<std::size_t>((now_ - kStart) / pause_);
    return std::min(count, bytes_.size());
  }

  std::string_view bytes_;
  milliseconds pause_;
  std::size_t input_len_ = 0;
  std::size_t taken_ = 0;
  JobTime now_ = kStart;
  JobTime last_taken_at_ = kStart;
};

class NoEndings : public Endings {
 public:
  void WriteOutcomeMarker(std::string_view, std::string_view) override { Fail(); }

 private:
  static void Fail() { FUZZ_CHECK(!"reading replies never ends the job"); }
  void RunEndSequence() override { Fail(); }
  void RunNoResponseEnding() override { Fail(); }
  void RunBusyEnding() override { Fail(); }
  void RunLostEnding() override { Fail(); }
};

// The most bytes of a reply line the reader keeps.
constexpr std::size_t kLongestReply = 4096;

// Whether a line of the modem's bytes is longer than a reply keeps.
bool HasLongLine(std::string_view bytes) {
  std::size_t length = 0;
  for (const char c : bytes) {
    length = c == '\n' ? 0 : length + 1;
    if (length > kLongestReply) return true;
  }
  return false;
}

bool HasLineEnds(std::string_view line) {
  return line.find_first_of(std::string_view("\0\r\n", 3)) != std::string_view::npos;
}

// A time-out ends a silence of more than the time-out and at most a second more, or a wait
// that bytes kept alive past its ceiling of ten time-outs; a negative time-out has passed
// already.
void CheckTimeOut(PacedModem& modem, const JobValues& v, JobTime called_at) {
  const JobTime silence_from = std::max(modem.LastTakenAt(), called_at);
  const JobTime silence = modem.Now() - silence_from;
  if (v.ReplyTimeout < 0) {
    FUZZ_CHECK(silence.count() == 0);
  } else {
    FUZZ_CHECK(silence > std::chrono::seconds(v.ReplyTimeout) ||
               modem.Now() - called_at > std::chrono::seconds(v.ReplyTimeout * 10));
    FUZZ_CHECK(silence <= std::chrono::seconds(v.ReplyTimeout + 1));
  }
}

// Whether the call has to stop: after a time-out once everything is read, or at once when
// time-outs pass without waiting.
bool Finished(const PacedModem& modem, const JobValues& v) {
  return v.TimedOut == 1 && (modem.AllTaken() || v.ReplyTimeout < 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const bool echo = data[0] & 1;
  const bool call_progress = data[0] & 2;
  const bool v253 = data[0] & 4;
  const auto timeout = static_cast<std::int16_t>(data[1] % 32 - 1);
  const milliseconds pause(data[2] * 100);
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 3, size - 3);

  PacedModem modem(bytes, pause);
  JobValues v;
  MemoryTextBox console;
  HashCommandSet hash;
  V253CommandSet v253_set(VoiceCoding{.name = "u8", .rate = 8000});
  CommandSet& commands = v253 ? static_cast<CommandSet&>(v253_set) : hash;
  NoEndings endings;
  CommandEngine engine(modem, v, console, modem, modem, endings, commands.EventsAmongReplies());
  Modem call{engine, commands, v};
  v.EchoFlag = echo ? 1 : 0;
  v.ReplyTimeout = timeout;

  // Every line read, the part lines of time-outs included, joined: the bytes taken without
  // their NULs, CRs and LFs.
  std::string lines;
  do {
    const JobTime called_at = modem.Now();
    if (call_progress) {
      const std::int16_t code = WaitCallProgress(call);
      if (v.TimedOut == 1) {
        FUZZ_CHECK(code == JobValues::RingLimit);
      } else if (code == JobValues::RingLimit) {
        FUZZ_CHECK(v.ReplyLine == "NO ANSWER" || v.ReplyLine == "RINGING" ||
                   (v253 && v.ReplyLine == "ERROR"));
      } else {
        FUZZ_CHECK(code == kVoiceConnection || code == kBusy || code == kNoDialTone ||
                   code == kBlacklisted);
      }
    } else {
      const bool line = engine.ReadReply();
      FUZZ_CHECK(line == (v.TimedOut == 0));
      FUZZ_CHECK(!line || v253 || (!v.ReplyLine.empty() && modem.Taken().back() == '\n'));
      lines += v.ReplyLine;
    }
    // A DLE event comes typed, in place of a line, and only where events come among replies.
    if (engine.Event()) FUZZ_CHECK(v253 && v.ReplyLine.empty() && v.TimedOut == 0);
    FUZZ_CHECK(!HasLineEnds(v.ReplyLine));
    FUZZ_CHECK(v.ReplyLine.size() <= kLongestReply);
    if (v.TimedOut == 1) CheckTimeOut(modem, v, called_at);
  } while (!Finished(modem, v));

  // Lines cut short are checked for their length above; events drop what came of a line.
  if (!call_progress && !v253 && !HasLongLine(modem.Taken())) {
    std::string expected(modem.Taken());
    std::erase_if(expected, [](char c) { return c == '\0' || c == '\r' || c == '\n'; });
    FUZZ_CHECK(lines == expected);
  }
  if (echo) FUZZ_CHECK(console.Text().find('\0') == std::string::npos);
  return 0;
}
