#pragma once
// The parameter file "params_" + JobId: line 1 the call-progress time-out, line 2 the retry
// count, line 3 "YES" + prompt directory for the read-back, line 4 the extra plays. A file that
// is missing or not a regular file reads as an empty one, a missing line as an empty line.
#include <filesystem>

#include "core/job_values.h"

// Reads the file into `v` and then derives the digit time-out and the retry count from the
// source code. A number outside 16 bits leaves its value as it was.
void ReadParameterFile(const std::filesystem::path& file, JobValues& v);
