#pragma once
// Reading the job's small input files without waiting: a file that is not a regular file (a
// FIFO, a terminal, a link to a device) is never read, and of a regular one only the head is.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

// The first `max_bytes` bytes of the regular file `path` (all of it when it is shorter); nullopt
// when it is missing, unreadable or not a regular file.
std::optional<std::string> ReadFileHead(const std::filesystem::path& path, std::size_t max_bytes);
