#include <unistd.h>

#include "platform/file_sync.h"

bool SyncToDisk(std::FILE* file) {
  return std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
}
