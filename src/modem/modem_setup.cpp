#include "modem/modem_setup.h"

#include <chrono>
#include <string>

#include "console/term_write.h"
#include "modem/command_set.h"
#include "platform/sleeper.h"

namespace {
RingbackTimers ChooseRingbackTimers(const JobValues& v) {
  if (v.SourceCode != "0") return {.goes_away = 0, .never_came = 0};
  return {.goes_away = v.ModemType == 0 ? 150 : 70, .never_came = 255};
}
}  // namespace

void SetUpModem(JobContext& ctx, CommandEngine& engine, Endings& endings) {
  JobValues& v = ctx.v;
  using std::chrono::milliseconds;
  const auto answered = [&](bool replied) {
    if (!replied) endings.NoResponseEnding();
  };

  engine.Send("ATZ");
  answered(engine.WaitOk());
  ctx.sleeper.Sleep(milliseconds(1000));
  engine.Send("AT E1 H0 L0 S6=15 S7=60 &K3");
  answered(engine.WaitOk());
  ctx.sleeper.Sleep(milliseconds(1000));

  engine.Send("ATI3");
  do {
    answered(engine.ReadReply());
  } while (v.ReplyLine != "ATI3");
  answered(engine.ReadReply());
  if (v.ReplyLine != "ERROR") {
    TermWrite(ctx.term, "****  The Modem model is " + v.ReplyLine + " ****\r");
    answered(engine.WaitOk());
  }

  const RingbackTimers timers = ChooseRingbackTimers(v);
  ctx.sleeper.Sleep(milliseconds(100));
  ctx.commands.EnterVoiceMode(ctx, engine, endings, timers);
}
