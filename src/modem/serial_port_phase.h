#pragma once
#include "console/text_box.h"
#include "core/endings.h"
#include "modem/modem.h"

// Opens the port COMn named by the job identifier and sets the line speed the command set
// chooses by modem type. A port that cannot be selected or opened takes the busy ending ("$F$").
void OpenSerialPort(Modem& modem, TextBox& term, Endings& endings);
