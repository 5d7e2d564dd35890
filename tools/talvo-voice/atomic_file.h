#pragma once
// An output file appears whole or not at all: the bytes go to a temporary file in the same
// folder, which is renamed over the output once it is complete. A failure removes it.
#include <filesystem>
#include <string_view>

// Throws ToolError when `path` cannot be written.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);
