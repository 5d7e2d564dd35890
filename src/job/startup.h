#pragma once
#include <filesystem>

#include "console/text_box.h"
#include "modem/command_engine.h"

// Prints the start-up console lines: the banner with the version line of "ver" in `dir`, the
// voice sizes and the port's buffer sizes.
void PrintStartupLines(TextBox& term, const std::filesystem::path& dir, const CommandEngine& port);
