#pragma once
#include "virtual_world.h"

// Opens the job's port on the simulated modem, as the job has it once the modem is set up.
inline void OpenLine(VirtualWorld& w) {
  w.serial.SetCommPort(3);
  w.serial.SetPortOpen(true);
}
