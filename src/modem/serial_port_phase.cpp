#include "modem/serial_port_phase.h"

#include "console/term_write.h"
#include "modem/command_set.h"

void OpenSerialPort(Modem& modem, TextBox& term, Endings& endings) {
  CommandEngine& engine = modem.engine;
  const std::string& id = modem.v.JobId;
  const bool is_number = id.size() == 1 && id[0] >= '0' && id[0] <= '9';
  if (!is_number || !engine.SelectPort(id[0] - '0') || !engine.Open()) {
    endings.BusyEnding();
  }
  TermWrite(term, "****  Device COM" + id + " is opened  ****\r");
  if (const auto settings = modem.commands.PortSettings(modem.v.ModemType)) {
    engine.SetSettings(*settings);
  }
  TermWrite(term, "MSComm1.Settings=" + engine.Settings() + "\r");
}
