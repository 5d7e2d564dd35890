#pragma once
#include <filesystem>

#include "console/text_box.h"
#include "core/endings.h"
#include "modem/modem.h"

// The playback loop of a connected call: plays the message, collects the called party's
// keys, reads them back when asked (with the prompts in the job's folder `dir`), and ends the
// job with "$" + Digits + "$".
[[noreturn]] void RunPlayback(Modem& modem, TextBox& term, const std::filesystem::path& dir,
                              Endings& endings);
