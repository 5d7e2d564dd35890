#pragma once
// A voice transmission: the command set's voice transmit command ("AT #VTX") switches the modem
// to voice transmit once it answers "CONNECT"; the voice data follows raw, and an unshielded
// DLE ETX ends it, whereupon the modem returns to command mode with its voice connection report
// ("VCON"). Neither reply is examined: a modem that stays silent only costs the reply time-out.
#include "modem/modem.h"

void StartVoiceTransmit(Modem& modem);
// Sends DLE ETX and consumes the modem's voice connection report.
void EndVoiceTransmit(Modem& modem);
