#pragma once
// Call progress: the modem reports ringback and the outcome of a call, and the command set says
// what each report means. The report of a voice connection ("VCON" in the "#" set, "OK" in the
// V.253 set) is also how the modem confirms a voice line and leaves voice transmit or receive,
// so every voice phase waits for it here.
#include <cstdint>

#include "console/text_box.h"
#include "core/endings.h"
#include "modem/command_set.h"
#include "modem/modem.h"
#include "platform/sleeper.h"

// ProgressCode values besides RingLimit (no answer).
inline constexpr std::int16_t kVoiceConnection = 0;
inline constexpr std::int16_t kBusy = -1;
inline constexpr std::int16_t kNoDialTone = -2;
inline constexpr std::int16_t kBlacklisted = -3;

// Reads the modem's reports until one decides the call; returns the ProgressCode. A reply
// time-out (ReplyTimeout as the caller set it) counts as no answer. `first` is what a report
// read before the wait said.
std::int16_t WaitCallProgress(Modem& modem, CallReport first = CallReport::kNone);

// Starts a playback job's call: the modem speaker for PlayTarget "SPEAKER", else dials
// PlayTarget. Returns once the voice connection stands; a failed call writes its outcome
// marker and ends the job. The pause after dialling blocks on `sleeper`.
void PlaceCall(Modem& modem, TextBox& term, Sleeper& sleeper, Endings& endings);
