#pragma once
// The converter's input and output files. An output appears whole or not at all: it is written
// as talvo writes its job files, under a temporary name in its folder and then renamed.
#include <filesystem>
#include <string>
#include <string_view>

#include "tool_error.h"

// The whole of `path`. Throws ToolError when it cannot be read.
std::string ReadWholeFile(const std::filesystem::path& path);

// The error for an input that is not there.
ToolError NoSuchFile(const std::filesystem::path& path);

// Makes `bytes` the whole of `path`. Throws ToolError when it cannot be written.
void WriteOutputFile(const std::filesystem::path& path, std::string_view bytes);
