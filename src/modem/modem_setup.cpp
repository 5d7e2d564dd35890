#include "modem/modem_setup.h"

#include "console/term_write.h"

namespace {
struct RingbackTimers {
  std::string goes_away;   // #VRA
  std::string never_came;  // #VRN
};

RingbackTimers ChooseRingbackTimers(const JobValues& v) {
  if (v.SourceCode != "0") return {"0", "0"};
  return {v.ModemType == 0 ? "150" : "70", "255"};
}
}  // namespace

void SetUpModem(JobContext& ctx, CommandEngine& engine, Endings& endings) {
  JobValues& v = ctx.v;
  const auto answered = [&] {
    if (v.TimedOut == 1) endings.NoResponseEnding();
  };

  engine.Send("ATZ");
  engine.WaitOk();
  answered();
  ctx.sleeper.Sleep(1000);
  engine.Send("AT E1 H0 L0 S6=15 S7=60 &K3");
  engine.WaitOk();
  answered();
  ctx.sleeper.Sleep(1000);

  engine.Send("ATI3");
  do {
    engine.ReadReply();
    answered();
  } while (v.ReplyLine != "ATI3");
  engine.ReadReply();
  answered();
  if (v.ReplyLine != "ERROR") {
    TermWrite(ctx.term, "****  The Modem model is " + v.ReplyLine + " ****\r");
    engine.WaitOk();
    answered();
  }

  const RingbackTimers timers = ChooseRingbackTimers(v);
  ctx.sleeper.Sleep(100);
  engine.Send("AT #CLS=8 #VLS=0 #VRA=" + timers.goes_away + " #VRN=" + timers.never_came);
  do {
    engine.ReadReply();
    answered();
  } while (v.ReplyLine.compare(0, 9, "AT #CLS=8") != 0);
  engine.ReadReply();
  answered();
  if (v.ReplyLine != "OK") {
    TermWrite(ctx.term, "****  Sorry this Modem model is not a voice modem ****\r");
  }
}
