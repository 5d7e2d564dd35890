#pragma once
#include <filesystem>
#include <string>

// The whole of `path`. Throws ToolError when it cannot be read.
std::string ReadWholeFile(const std::filesystem::path& path);
