#pragma once
#include <string_view>

#include "modem/command_engine.h"

// Streams `prompt` (a prompt's voice data, without its DLE ETX) into the voice
// transmission already open, in pieces of LGR_ECR_VOICE bytes, each written once the previous
// ones have left. It neither ends the transmission nor reads keys, so prompts sent one after
// another play as one. Returns as soon as the last piece is written.
void SendVoiceBuffer(CommandEngine& engine, std::string_view prompt);
