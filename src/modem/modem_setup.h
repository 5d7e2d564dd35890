#pragma once
#include "core/endings.h"
#include "core/job_context.h"
#include "modem/command_engine.h"

// Resets the modem, initialises it (command echo on: the later steps find their place by the
// echo lines), prints its identification and puts it into voice mode on the telephone line
// with the job's ringback timers, in the words of the job's command set. A modem that stays silent
// takes the no-response ending.
void SetUpModem(JobContext& ctx, CommandEngine& engine, Endings& endings);
