#pragma once
#include "console/text_box.h"
#include "core/endings.h"
#include "modem/modem.h"
#include "platform/sleeper.h"

// Resets the modem, initialises it (command echo on: the later steps find their place by the
// echo lines), prints its identification and puts it into voice mode on the telephone line
// with the job's ringback timers, in the words of the job's command set. The pauses that let
// the modem settle block on `sleeper`. A modem that stays silent takes the no-response ending.
void SetUpModem(Modem& modem, TextBox& term, Sleeper& sleeper, Endings& endings);
