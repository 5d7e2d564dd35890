#pragma once
// The caller chooses the command set through the environment: TALVO_COMMAND_SET is "hash" (the
// default) or "v253"; for "v253", TALVO_VOICE_CODING ("u8", the default, or another coding
// modems list, core/voice_codings.h) and TALVO_VOICE_RATE (default 8000) choose the voice coding
// the modem is asked for, one that the port's line speed carries.
#include <memory>
#include <string>

#include "modem/command_set.h"

struct CommandSetChoice {
  std::unique_ptr<CommandSet> commands;  // null when refused
  std::string refusal;                   // why, for stderr
};

// Each argument is the variable's text, or null when it is not set.
CommandSetChoice ChooseCommandSet(const char* command_set, const char* coding, const char* rate);
