#pragma once
// The job's small text files ("ver", the parameter file): only their first bytes are read, and
// of each line only its first bytes are kept, so neither memory nor time grows with the size of
// a file, and a file that never ends (a link to /dev/zero, a FIFO) cannot stop the job.
#include <cstddef>
#include <filesystem>
#include <istream>
#include <optional>
#include <sstream>
#include <string>

// The most bytes read of one file.
inline constexpr std::size_t kFileBytesRead = 64 * 1024;
// The most bytes of one line that are kept.
inline constexpr std::size_t kLineBytesKept = 4096;

// The first kFileBytesRead bytes of `file`, to be read line by line. A file that is missing,
// unreadable or not a regular file reads as an empty one, at once.
std::istringstream OpenSmallTextFile(const std::filesystem::path& file);

// Reads the next line of `in` and returns its first kLineBytesKept bytes, without the LF that
// ends it and a CR before that LF; the rest of a longer line is skipped, not stored. Returns
// nullopt at the end of `in`.
std::optional<std::string> ReadBoundedLine(std::istream& in);
