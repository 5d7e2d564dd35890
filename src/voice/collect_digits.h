#pragma once
// One key entry from the called party: digits ended by "*" or StopCode, waiting at most
// DigitTimeout seconds (on the job clock) for each key. "#" clears the entry, or returns
// alone when it is the first key.
#include "core/dle.h"
#include "core/job_values.h"
#include "modem/command_engine.h"

// Continues the entry in Digits. Returns false, with TimedOut set to 1, when no key came in
// time (Digits then holds the keys accepted so far); on return StarEnded is 1 when "*" or
// StopCode ended the entry.
bool CollectDigits(CommandEngine& engine, JobValues& v, DleDecoder& dle);
