#include "modem/modem_setup.h"

#include <chrono>
#include <string>

#include "console/term_write.h"
#include "modem/command_set.h"

namespace {
// Pauses that give the modem time to settle: after its reset, after the line settings, and
// before it changes to voice mode.
constexpr std::chrono::milliseconds kAfterReset{1000};
constexpr std::chrono::milliseconds kAfterSettings{1000};
constexpr std::chrono::milliseconds kBeforeVoiceMode{100};

RingbackTimers ChooseRingbackTimers(const JobValues& v) {
  if (v.SourceCode != "0") return {.goes_away = 0, .never_came = 0};
  return {.goes_away = v.ModemType == 0 ? 150 : 70, .never_came = 255};
}
}  // namespace

void SetUpModem(Modem& modem, TextBox& term, Sleeper& sleeper, Endings& endings) {
  JobValues& v = modem.v;
  CommandEngine& engine = modem.engine;

  engine.Send("ATZ");
  engine.WaitOkOrEnd();
  sleeper.Sleep(kAfterReset);
  engine.Send("AT E1 H0 L0 S6=15 S7=60 &K3");
  engine.WaitOkOrEnd();
  sleeper.Sleep(kAfterSettings);

  engine.Send("ATI3");
  do {
    engine.ReadReplyOrEnd();
  } while (v.ReplyLine != "ATI3");
  engine.ReadReplyOrEnd();
  if (v.ReplyLine != "ERROR") {
    TermWrite(term, "****  The Modem model is " + v.ReplyLine + " ****\r");
    engine.WaitOkOrEnd();
  }

  const RingbackTimers timers = ChooseRingbackTimers(v);
  sleeper.Sleep(kBeforeVoiceMode);
  modem.commands.EnterVoiceMode(engine, v, term, endings, timers);
}
