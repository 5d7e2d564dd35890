#include "modem/serial_port_phase.h"

#include "console/term_write.h"
#include "modem/serial_control.h"

void OpenSerialPort(JobContext& ctx, Endings& endings) {
  const std::string& id = ctx.v.JobId;
  const bool is_number = id.size() == 1 && id[0] >= '0' && id[0] <= '9';
  if (!is_number || !ctx.serial.SetCommPort(id[0] - '0') || !ctx.serial.SetPortOpen(true)) {
    endings.BusyEnding();
  }
  TermWrite(ctx.term, "****  Device COM" + id + " is opened  ****\r");
  if (ctx.v.ModemType == 0) ctx.serial.SetSettings("19200,n,8,1");
  if (ctx.v.ModemType == 1) ctx.serial.SetSettings("38400,n,8,1");
  TermWrite(ctx.term, "MSComm1.Settings=" + ctx.serial.Settings() + "\r");
}
