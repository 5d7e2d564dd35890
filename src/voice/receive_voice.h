#pragma once
#include "console/text_box.h"
#include "core/dle.h"
#include "modem/modem.h"

// Takes the voice data of a reception already under way ("CONNECT" answered) into VoiceBuffer,
// in place, until the modem ends it with DLE "s" or DLE "q" or the buffer is full; then ends
// the reception, sounds the attention tone, cuts the recording at its end mark and prints its
// length. VoiceLen counts the recording without a terminator.
void ReceiveVoice(Modem& modem, TextBox& term, DleDecoder& dle);
