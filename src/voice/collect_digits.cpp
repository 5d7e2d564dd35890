#include "voice/collect_digits.h"

#include <chrono>
#include <string>

#include "platform/job_clock.h"
#include "voice/key_reader.h"

bool CollectDigits(JobContext& ctx, CommandEngine& engine, DleDecoder& dle) {
  JobValues& v = ctx.v;
  for (;;) {
    v.TimedOut = 0;
    v.StarEnded = 0;
    // Only an accepted key moves the deadline; ignored modem events do not.
    const Deadline deadline =
        Deadline::After(ctx.clock.Now(), std::chrono::seconds(v.DigitTimeout));
    for (;;) {
      if (!engine.WaitForInput(deadline)) {
        v.TimedOut = 1;
        return false;
      }
      const auto report = ReadKeyReport(ctx, engine, dle);
      if (!report) continue;
      const std::string key(1, *report);
      if (key == "*" || key == v.StopCode) {
        v.Digits += key;
        v.StarEnded = 1;
        return true;
      }
      if (key == "#") {
        v.Digits += key;
        if (v.Digits == "#") return true;
        v.Digits.clear();
        break;
      }
      if (key < "0" || key > "9") continue;  // another modem event
      v.Digits += key;
      break;
    }
  }
}
