#pragma once
#include "core/endings.h"
#include "core/job_context.h"
#include "modem/command_engine.h"

// A recording job: greets with the stored message, takes one voice message from the source
// the command line chose, stores it as the job's result file and ends the job.
[[noreturn]] void RunRecording(JobContext& ctx, CommandEngine& engine, Endings& endings);
