#pragma once
#include <filesystem>

#include "console/text_box.h"
#include "core/endings.h"
#include "modem/modem.h"

// A recording job: greets with the stored message, takes one voice message from the source
// the command line chose, stores it as the job's result file in `dir` and ends the job. With
// `caller_id`, an incoming call's caller ID is asked for and kept in `dir` too.
[[noreturn]] void RunRecording(Modem& modem, TextBox& term, const std::filesystem::path& dir,
                               Endings& endings, bool caller_id);
