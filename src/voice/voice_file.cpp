#include "voice/voice_file.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "core/dle.h"
#include "core/voice_buffer.h"
#include "platform/file_read.h"
#include "platform/file_write.h"

namespace {

constexpr std::size_t kBufferSize = LGR_BUF_VOICE;

// One past the buffer's last byte that is not NUL: the NUL padding after a short file holds no
// DLE, so nothing is searched for beyond it.
std::size_t DataEnd(const std::string& buffer) {
  const std::size_t last = buffer.find_last_not_of('\0');
  return last == std::string::npos ? 0 : last + 1;
}

// Where the data of a file without terminator ends (0-based, one past its last byte): after
// its last byte that is not NUL, cut so that the terminator still fits, and short of a DLE
// whose partner the cut or the file's end took away, which would shield the terminator.
std::size_t UnterminatedDataEnd(const std::string& buffer, std::size_t data_end) {
  const std::size_t end = std::min(data_end, buffer.size() - 2);
  DleDecoder data;
  for (std::size_t i = 0; i < end; ++i) data.Feed(buffer[i]);
  return data.Open() ? end - 1 : end;
}

// The first LGR_BUF_VOICE bytes of `path`, NUL-filled past the file's end. A file that cannot
// be read, or is no regular file (a FIFO would never end), leaves the buffer all NUL.
std::string ReadVoiceBytes(const std::filesystem::path& path) {
  std::string buffer = ReadFileHead(path, kBufferSize).value_or("");
  buffer.resize(kBufferSize, '\0');
  return buffer;
}

}  // namespace

std::size_t FindVoiceEnd(std::string& buffer) {
  const std::size_t data_end = DataEnd(buffer);
  if (const auto found = FindDleSequence(std::string_view(buffer).substr(0, data_end), kEtx)) {
    return *found + 1;
  }
  const std::size_t end = UnterminatedDataEnd(buffer, data_end);
  buffer[end] = kDle;
  buffer[end + 1] = kEtx;
  return end + 1;
}

std::string LoadMessageFile(const std::filesystem::path& path) {
  std::string buffer = ReadVoiceBytes(path);
  buffer.resize(FindVoiceEnd(buffer) + 1);
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
  return buffer;
}

std::string LoadVoiceFile(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec) && !ec) {
    // Created without following a link in its place: a link to nowhere is replaced.
    const std::error_code failure =
        CreateFileIfMissing(path.parent_path(), path.filename().string());
    if (failure) {
      std::fprintf(stderr, "talvo: prompt %s is missing; cannot create it: %s\n",
                   path.string().c_str(), failure.message().c_str());
    } else {
      std::fprintf(stderr, "talvo: prompt %s is missing; created it empty\n",
                   path.string().c_str());
    }
  }
  std::string buffer = ReadVoiceBytes(path);
  buffer.resize(FindVoiceEnd(buffer) - 1);
  return buffer;
}
