#pragma once
#include "console/text_box.h"
#include "modem/serial_control.h"

// A key typed into the console. While the port is open its byte goes straight to the modem,
// untranslated and unbuffered; a key typed while it is closed is not kept for later. Either
// way the console takes the key as a text box would: Enter starts a new line (CR LF),
// backspace erases what stands before the caret, a printable character is inserted, and other
// control characters leave the text alone.
void TermKeyPress(SerialControl& serial, TextBox& console, char code);
