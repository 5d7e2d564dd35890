#pragma once
// Entering voice mode on a modem of the V.253 set: "AT+FCLASS=8", then the device listing
// ("AT+VLS=?"), the compression methods ("AT+VSM=?") and the one that is the caller's coding
// (shown on the console), the idle line ("AT+VLS=0") and the ringback timers. Every answer is
// read up to its "OK" or "ERROR", skipping the command's echo. A timer the modem refuses is set
// to the largest value it offers that is not above the wanted one.
#include <vector>

#include "console/text_box.h"
#include "core/endings.h"
#include "core/job_values.h"
#include "modem/command_engine.h"
#include "modem/command_set.h"
#include "modem/device_listing.h"
#include "modem/voice_coding.h"

// Returns the modem's device configurations. A silent modem takes the no-response ending; so
// does one without the coding, after one line on stderr naming the methods it offers.
std::vector<DeviceConfiguration> EnterV253VoiceMode(CommandEngine& engine, JobValues& v,
                                                    TextBox& term, Endings& endings,
                                                    const VoiceCoding& coding,
                                                    RingbackTimers timers);
