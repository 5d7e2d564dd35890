#pragma once
#include "core/job_context.h"

// Prints the start-up console lines: the banner with the version line of "ver", the voice
// sizes and the serial control's buffer sizes.
void PrintStartupLines(JobContext& ctx);
