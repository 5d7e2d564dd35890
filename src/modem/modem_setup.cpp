#include "modem/modem_setup.h"

#include <chrono>
#include <string>

#include "console/term_write.h"
#include "platform/sleeper.h"

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
  engine.Send("AT #CLS=8 #VLS=0 #VRA=" + timers.goes_away + " #VRN=" + timers.never_came);
  do {
    answered(engine.ReadReply());
  } while (v.ReplyLine.compare(0, 9, "AT #CLS=8") != 0);
  answered(engine.ReadReply());
  if (v.ReplyLine != "OK") {
    TermWrite(ctx.term, "****  Sorry this Modem model is not a voice modem ****\r");
  }
}
