#include "app/job_request.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "job/command_line.h"

JobRequest ReadJobRequest(const std::vector<std::string>& args) {
  JobRequest request{.command_line = JoinArguments(args),
                     .choice = ChooseCommandSet(std::getenv("TALVO_COMMAND_SET"),
                                                std::getenv("TALVO_VOICE_CODING"),
                                                std::getenv("TALVO_VOICE_RATE")),
                     .caller_id = false};
  if (!request.choice.commands) std::fprintf(stderr, "talvo: %s\n", request.choice.refusal.c_str());
  const char* caller_id = std::getenv("TALVO_CALLER_ID");
  request.caller_id = caller_id && std::string_view(caller_id) == "1";
  return request;
}
