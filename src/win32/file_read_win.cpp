#include <windows.h>

#include <algorithm>

#include "platform/file_read.h"

std::optional<std::string> ReadFileHead(const std::filesystem::path& path, std::size_t max_bytes) {
  // A link (a reparse point) is opened itself rather than followed, and refused below with
  // anything that is not a file on disk: a pipe, a console, a device. Opening any of them does
  // not wait, and neither does reading a file on disk. A directory does not open without
  // FILE_FLAG_BACKUP_SEMANTICS.
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::optional<std::string> head;
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &info) &&
      (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
    head.emplace(max_bytes, '\0');
  }
  std::size_t size = 0;
  while (head && size < max_bytes) {
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(max_bytes - size, MAXDWORD));
    DWORD got = 0;
    if (!ReadFile(file, head->data() + size, wanted, &got, nullptr)) {
      head.reset();
    } else if (got == 0) {
      break;
    } else {
      size += got;
    }
  }
  CloseHandle(file);
  if (head) head->resize(size);
  return head;
}
