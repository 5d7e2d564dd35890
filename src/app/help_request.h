#pragma once
// Help and version, as users expect them: when the only argument is exactly "--help", "-h" or
// "--version", talvo prints its usage or its version on stdout and runs no job (no window, no
// files). Every other command line is a job.
#include <string>
#include <vector>

// Prints what `args` (the arguments after the program name) ask for and returns true, or
// returns false for a job's command line.
bool AnswerHelpRequest(const std::vector<std::string>& args);
