#pragma once
#include <functional>
#include <string_view>

#include "console/text_box.h"

// Where typed keys go: in talvo, straight to the modem, untranslated and unbuffered.
using ByteSink = std::function<void(std::string_view)>;

// A key typed into the console. Its byte goes to `send`; then the console takes the key as a
// text box would: Enter starts a new line (CR LF), backspace erases what stands before the
// caret, a printable character is inserted, and other control characters leave the text alone.
void TermKeyPress(const ByteSink& send, TextBox& console, char code);
