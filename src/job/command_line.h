#pragma once
// The command line is one text with fixed character positions, counted from 1:
// 1 echo flag, 2 modem type, 3 source code, 4 dial modifier, 5 window display state,
// 6 job identifier, 7 onward the playback target. Exactly six characters mean a recording.
#include <string>
#include <vector>

#include "core/job_values.h"

// The arguments after the program name, joined by single blanks.
std::string JoinArguments(const std::vector<std::string>& args);

// Position `pos` (1-based) of the command line; empty beyond its end.
std::string Position(const std::string& command_line, std::size_t pos);

// Takes the echo flag, modem type, stop code, source code and job identifier.
void ParseCommandLine(const std::string& command_line, JobValues& v);

// The dial modifier, "N" meaning none.
std::string DialModifierOf(const std::string& command_line);

bool IsRecordingJob(const std::string& command_line);
