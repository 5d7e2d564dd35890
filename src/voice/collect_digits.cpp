#include "voice/collect_digits.h"

#include <chrono>

#include "voice/key_reader.h"

bool CollectDigits(CommandEngine& engine, JobValues& v, DleDecoder& dle) {
  for (;;) {
    v.TimedOut = 0;
    v.StarEnded = 0;
    // Only an accepted key moves the deadline; ignored modem events do not.
    const Deadline deadline = engine.DeadlineIn(std::chrono::seconds(v.DigitTimeout));
    for (;;) {
      if (!engine.WaitForInput(deadline)) {
        v.TimedOut = 1;
        return false;
      }
      const std::optional<KeyReport> report = ReadKeyReport(engine, dle);
      if (!report) continue;
      if (report->kind == KeyReport::Kind::kStar || report->Text() == v.StopCode) {
        v.Digits += report->key;
        v.StarEnded = 1;
        return true;
      }
      if (report->kind == KeyReport::Kind::kHash) {
        v.Digits += report->key;
        if (v.Digits == "#") return true;
        v.Digits.clear();
        break;
      }
      if (report->kind != KeyReport::Kind::kDigit) continue;  // another modem event
      v.Digits += report->key;
      break;
    }
  }
}
