#pragma once
// An incoming call: the modem reports each ring ("RING", or the DLE event "R" where the command
// set has events), and, with caller ID switched on, the calling party between the first ring
// and the second.
#include <functional>
#include <string_view>

#include "modem/modem.h"

// Switches the modem's caller ID on; false when the modem refuses it. A modem that does not
// answer takes the no-response ending.
bool SwitchOnCallerId(Modem& modem);

// Reads the modem's reports until a ring, through any number of time-outs; every reply line
// before it goes to `on_line`.
void WaitRing(Modem& modem, const std::function<void(std::string_view)>& on_line = {});
