#pragma once
// Voice files hold the modem's voice data exactly as it came, ended by DLE ETX; no header.
// Inside the data the modem shields a data byte 16 as DLE DLE, so a search for a DLE sequence
// takes a DLE DLE pair as one data byte.
#include <cstddef>
#include <filesystem>
#include <string>

// Returns the 1-based position of the DLE of the first unshielded DLE ETX in `buffer` (of
// LGR_BUF_VOICE bytes). Without one, writes DLE ETX after the last byte that is not NUL first.
std::size_t FindVoiceEnd(std::string& buffer);

// Reads the job's message "talvin_" + JobId at `path` and deletes the file, so the job's
// result can take its name. Returns the message with its DLE ETX.
std::string LoadMessageFile(const std::filesystem::path& path);

// Reads the prompt at `path` and returns it without its DLE ETX. A missing prompt is created
// empty, as a file of its own in place of a link to nowhere, with one line on stderr; it plays
// as nothing.
std::string LoadVoiceFile(const std::filesystem::path& path);
