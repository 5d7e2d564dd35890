#pragma once
// The job's result file "talvin_" + JobId: the recording, or an outcome marker line.
#include <string_view>

#include "core/job_context.h"

// Makes `bytes` the whole result file, on disk before this returns. The file appears complete
// or not at all: when it cannot be written, the console shows "****  Error Writing File  ****"
// and no result file is left.
void WriteResultFile(JobContext& ctx, std::string_view bytes);
