#pragma once
#include "core/dle.h"
#include "core/job_context.h"
#include "modem/command_engine.h"

// Takes the voice data of a reception already under way ("CONNECT" answered) into VoiceBuffer,
// in place, until the modem ends it with DLE "s" or DLE "q" or the buffer is full; then ends
// the reception, sounds the attention tone, cuts the recording at its end mark and prints its
// length. VoiceLen counts the recording without a terminator.
void ReceiveVoice(JobContext& ctx, CommandEngine& engine, DleDecoder& dle);
