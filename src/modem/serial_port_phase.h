#pragma once
#include "console/text_box.h"
#include "core/endings.h"
#include "modem/modem.h"

// Whether the job may use its port at all: not when the caller chose a command set that does not
// exist.
enum class PortUse { kAllowed, kRefused };

// Opens the port COMn named by the job identifier and sets the line speed the command set
// chooses by modem type. A port that cannot be selected or opened, or is refused, takes the busy
// ending ("$F$").
void OpenSerialPort(Modem& modem, TextBox& term, Endings& endings, PortUse use);
