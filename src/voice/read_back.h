#pragma once
// Reads a finished entry back to the called party: the prompt "verif1", one prompt per
// character of the entry, then "verif2", all in one voice transmission, and then takes a
// confirmation entry. The prompts are voice files named PromptDir + prompt name, in the job's
// folder `dir`.
#include <filesystem>

#include "core/dle.h"
#include "modem/modem.h"

// Returns true when the called party confirmed with an entry ended by "*" or StopCode;
// Digits then holds the entry that was read back. Otherwise the entry is rejected.
bool ReadBackEntry(Modem& modem, const std::filesystem::path& dir, DleDecoder& dle);
