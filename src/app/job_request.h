#pragma once
// What the caller asks of a job, on either system: the command line (the arguments after the
// program name, joined by single blanks) and, from the environment, the command set and its
// voice coding (TALVO_COMMAND_SET, TALVO_VOICE_CODING, TALVO_VOICE_RATE) and caller ID
// (TALVO_CALLER_ID=1). A command set the caller cannot have is said on stderr; the job then
// takes the busy ending.
#include <string>
#include <vector>

#include "modem/command_set_choice.h"

struct JobRequest {
  std::string command_line;
  CommandSetChoice choice;
  bool caller_id;
};

JobRequest ReadJobRequest(const std::vector<std::string>& args);
