#pragma once
// The job's result file "talvin_" + JobId: the recording, or an outcome marker line.
#include <filesystem>
#include <string>
#include <string_view>

#include "console/text_box.h"

// Makes `bytes` the whole result file of job `job_id` in `dir`, on disk before this returns. The
// file appears complete or not at all: when it cannot be written, the console shows "****  Error
// Writing File  ****" and no result file is left.
void WriteResultFile(const std::filesystem::path& dir, const std::string& job_id, TextBox& term,
                     std::string_view bytes);
