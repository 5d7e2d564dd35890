#include "modem/serial_port_phase.h"

#include "console/term_write.h"
#include "modem/command_set.h"

void OpenSerialPort(JobContext& ctx, CommandEngine& engine, Endings& endings, PortUse use) {
  const std::string& id = ctx.v.JobId;
  const bool is_number = id.size() == 1 && id[0] >= '0' && id[0] <= '9';
  if (use == PortUse::kRefused || !is_number || !engine.SelectPort(id[0] - '0') || !engine.Open()) {
    endings.BusyEnding();
  }
  TermWrite(ctx.term, "****  Device COM" + id + " is opened  ****\r");
  if (const auto settings = ctx.commands.PortSettings(ctx.v.ModemType)) {
    engine.SetSettings(*settings);
  }
  TermWrite(ctx.term, "MSComm1.Settings=" + engine.Settings() + "\r");
}
