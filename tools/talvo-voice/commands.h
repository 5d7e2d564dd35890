#pragma once
// The three things talvo-voice does. Each throws ToolError when it cannot, and then leaves no
// output file.
#include "command_line.h"

// An audio file to a voice file; warnings go to stderr.
void RunImport(const CommandLine& command);
// A voice file to a 16-bit mono WAV.
void RunExport(const CommandLine& command);
// What a voice file holds, on stdout.
void RunInfo(const CommandLine& command);
