#pragma once
// Help and version, as users expect them: when the only argument is exactly "--help", "-h" or
// "--version", talvo prints its usage or its version on stdout and runs no job (no window, no
// files). An empty command line is a usage error: the usage on stderr, no job. Every other
// command line is a job.
#include <optional>
#include <string>
#include <vector>

// Prints what `args` (the arguments after the program name) ask for and returns the exit
// status, or returns nothing for a job's command line.
std::optional<int> AnswerHelpRequest(const std::vector<std::string>& args);
