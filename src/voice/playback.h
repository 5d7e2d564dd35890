#pragma once
#include "core/endings.h"
#include "core/job_context.h"
#include "modem/command_engine.h"

// The playback loop of a connected call: plays the message, collects the called party's
// keys, reads them back when asked, and ends the job with "$" + Digits + "$".
[[noreturn]] void RunPlayback(JobContext& ctx, CommandEngine& engine, Endings& endings);
