#pragma once
#include "console/text_box.h"
#include "core/dle.h"
#include "modem/modem.h"

// Plays VoiceBuffer (VoiceLen bytes, ending with its own DLE ETX) in one voice transmission,
// in pieces of LGR_ECR_VOICE bytes, each written once the previous ones have left. A key the
// modem reports during the message may stop it and start an entry: on return Digits holds
// the key result (empty when none) and StarEnded says whether "*" or StopCode ended it.
// Ends with the attention tone.
void PlayMessage(Modem& modem, TextBox& term, DleDecoder& dle);
