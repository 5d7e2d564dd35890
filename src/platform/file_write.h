#pragma once
// Writing the job's files in the job's directory. A name is a plain file name: one with a '/'
// (or "." or "..") is refused, so no file lands outside the directory. A symbolic link in the
// name's place is replaced by the file; its target is never opened.
#include <filesystem>
#include <string_view>
#include <system_error>

// Makes `bytes` the whole content of the file `name` in `dir`, all or nothing: the bytes go to
// a new temporary file in `dir` (".name.XXXXXX"), reach the disk and only then take the name.
// On failure the temporary file is removed, and so is a file already of that name, so that no
// stale or partial content stands in for the one that failed. Returns the failure's reason.
std::error_code WriteWholeFile(const std::filesystem::path& dir, std::string_view name,
                               std::string_view bytes);

// Creates the empty file `name` in `dir` unless a regular file of that name exists, which is
// left as it is. Returns the failure's reason.
std::error_code CreateFileIfMissing(const std::filesystem::path& dir, std::string_view name);
