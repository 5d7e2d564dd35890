#pragma once
#include <string_view>

#include "console/text_box.h"

// Appends a message to the console. Keeps the console below a soft cap of 16384 bytes by
// dropping its first 4096 bytes before an append; a leading backspace replaces the console's
// last byte, other backspaces erase the byte before them; LF and NUL vanish and every CR
// becomes CR LF, so modem output shows as lines.
void TermWrite(TextBox& console, std::string_view message);
