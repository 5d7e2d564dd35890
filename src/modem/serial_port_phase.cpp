#include "modem/serial_port_phase.h"

#include "console/term_write.h"
#include "modem/command_set.h"
#include "modem/serial_control.h"

void OpenSerialPort(JobContext& ctx, Endings& endings, PortUse use) {
  const std::string& id = ctx.v.JobId;
  const bool is_number = id.size() == 1 && id[0] >= '0' && id[0] <= '9';
  if (use == PortUse::kRefused || !is_number || !ctx.serial.SetCommPort(id[0] - '0') ||
      !ctx.serial.SetPortOpen(true)) {
    endings.BusyEnding();
  }
  TermWrite(ctx.term, "****  Device COM" + id + " is opened  ****\r");
  if (const auto settings = ctx.commands.PortSettings(ctx.v.ModemType)) {
    ctx.serial.SetSettings(*settings);
  }
  TermWrite(ctx.term, "MSComm1.Settings=" + ctx.serial.Settings() + "\r");
}
