#pragma once
// Lines of the job's small text files ("ver", the parameter file): only their first bytes are
// kept, so neither memory nor time grows with the size of a file.
#include <cstddef>
#include <istream>
#include <optional>
#include <string>

// The most bytes of one line that are kept.
inline constexpr std::size_t kLineBytesKept = 4096;

// Reads the next line of `in` and returns its first kLineBytesKept bytes, without the LF that
// ends it and a CR before that LF; the rest of a longer line is skipped, not stored. Returns
// nullopt at the end of `in`.
std::optional<std::string> ReadBoundedLine(std::istream& in);
