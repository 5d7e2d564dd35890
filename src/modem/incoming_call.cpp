#include "modem/incoming_call.h"

#include <cstdio>
#include <string>

#include "modem/command_set.h"

bool SwitchOnCallerId(Modem& modem) {
  const std::string_view command = modem.commands.CallerIdOn();
  modem.engine.Send(command);
  for (;;) {
    modem.engine.ReadReplyOrEnd();
    if (modem.v.ReplyLine == "OK") return true;
    if (modem.v.ReplyLine == "ERROR") break;
  }
  std::fprintf(stderr, "talvo: the modem refused %.*s: no caller ID\n",
               static_cast<int>(command.size()), command.data());
  return false;
}

void WaitRing(Modem& modem, const std::function<void(std::string_view)>& on_line) {
  for (;;) {
    const bool read = modem.engine.ReadReply();
    if (modem.LastReport() == CallReport::kRing) return;
    if (read && !modem.engine.Event() && on_line) on_line(modem.v.ReplyLine);
  }
}
