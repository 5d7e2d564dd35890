#include <windows.h>

#include <algorithm>
#include <random>
#include <string>

#include "platform/file_write.h"

namespace {

namespace fs = std::filesystem;

std::error_code LastError() {
  return {static_cast<int>(GetLastError()), std::system_category()};
}

// Not '\' nor ':' either: "a\b" names a file in a subfolder, "C:b" one in drive C's current
// folder and "ab:c" a stream of the file "ab".
bool IsPlainName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of("/\\:") == std::string_view::npos;
}

// Creates a new file ".name.XXXXXX" in `dir` and returns its handle, or INVALID_HANDLE_VALUE
// with the last error set.
HANDLE CreateTemporary(const fs::path& dir, std::string_view name, fs::path& temp) {
  static constexpr std::string_view kLetters =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device random;
  std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string suffix(6, ' ');
    for (char& c : suffix) c = kLetters[pick(random)];
    temp = dir / ("." + std::string(name) + "." + suffix);
    const HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return INVALID_HANDLE_VALUE;
}

// Writes all of `bytes` to `file`, puts them on disk and closes `file`, also on failure.
std::error_code WriteFlushClose(HANDLE file, std::string_view bytes) {
  std::error_code failure;
  while (!bytes.empty() && !failure) {
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), MAXDWORD));
    DWORD written = 0;
    if (WriteFile(file, bytes.data(), wanted, &written, nullptr)) {
      bytes.remove_prefix(written);
    } else {
      failure = LastError();
    }
  }
  if (!failure && !FlushFileBuffers(file)) failure = LastError();
  if (!CloseHandle(file) && !failure) failure = LastError();
  return failure;
}

}  // namespace

std::error_code WriteWholeFile(const fs::path& dir, std::string_view name, std::string_view bytes) {
  if (!IsPlainName(name)) return std::make_error_code(std::errc::invalid_argument);
  const fs::path path = dir / name;
  fs::path temp;
  const HANDLE file = CreateTemporary(dir, name, temp);
  std::error_code failure =
      file == INVALID_HANDLE_VALUE ? LastError() : WriteFlushClose(file, bytes);
  // The move replaces a link in the name's place, not its target. MOVEFILE_WRITE_THROUGH returns
  // once the new name is on disk, so it keeps its name across a power cut before anything
  // written later (the completion marker) can.
  if (!failure && !MoveFileExW(temp.c_str(), path.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    failure = LastError();
  }
  if (failure) {
    if (file != INVALID_HANDLE_VALUE) DeleteFileW(temp.c_str());
    DeleteFileW(path.c_str());
  }
  return failure;
}

std::error_code CreateFileIfMissing(const fs::path& dir, std::string_view name) {
  if (!IsPlainName(name)) return std::make_error_code(std::errc::invalid_argument);
  const fs::path path = dir / name;
  // A link in the name's place goes first (DeleteFileW removes the link, not its target). One
  // made after that is opened itself, never followed: FILE_FLAG_OPEN_REPARSE_POINT.
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    DeleteFileW(path.c_str());
  }
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_ALWAYS, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return LastError();
  CloseHandle(file);
  return {};
}
