#include "memory_sound.h"

#include <sndfile.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

#include "sound_file.h"
#include "tool_error.h"

namespace {

// A file in memory: it grows as libsndfile writes past its end, and may be sought over.
struct MemoryFile {
  std::string bytes;
  sf_count_t position = 0;
};

MemoryFile& Of(void* user) {
  return *static_cast<MemoryFile*>(user);
}

sf_count_t Length(void* user) {
  return static_cast<sf_count_t>(Of(user).bytes.size());
}

sf_count_t Seek(sf_count_t offset, int whence, void* user) {
  MemoryFile& file = Of(user);
  const sf_count_t base = whence == SEEK_CUR   ? file.position
                          : whence == SEEK_END ? Length(user)
                                               : 0;
  if (base + offset < 0) return -1;
  file.position = base + offset;
  return file.position;
}

sf_count_t Read(void* to, sf_count_t count, void* user) {
  MemoryFile& file = Of(user);
  const sf_count_t left = std::max<sf_count_t>(Length(user) - file.position, 0);
  const sf_count_t n = std::min(count, left);
  if (n > 0) std::memcpy(to, file.bytes.data() + file.position, static_cast<std::size_t>(n));
  file.position += n;
  return n;
}

sf_count_t Write(const void* from, sf_count_t count, void* user) {
  MemoryFile& file = Of(user);
  const auto end = static_cast<std::size_t>(file.position + count);
  if (end > file.bytes.size()) file.bytes.resize(end);
  std::memcpy(file.bytes.data() + file.position, from, static_cast<std::size_t>(count));
  file.position += count;
  return count;
}

sf_count_t Tell(void* user) {
  return Of(user).position;
}

SF_VIRTUAL_IO memory_io{Length, Seek, Read, Write, Tell};

SF_INFO MonoInfo(int rate, int format) {
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = 1;
  info.format = format;
  return info;
}

SoundFile Open(MemoryFile& file, int mode, SF_INFO& info) {
  SoundFile sound(sf_open_virtual(&memory_io, mode, &info, &file));
  if (!sound) throw ToolError(std::string("libsndfile: ") + sf_strerror(nullptr));
  return sound;
}

}  // namespace

std::string EncodeSound(std::span<const std::int16_t> samples, int rate, int format) {
  MemoryFile file;
  SF_INFO info = MonoInfo(rate, format);
  {
    const SoundFile sound = Open(file, SFM_WRITE, info);
    const auto count = static_cast<sf_count_t>(samples.size());
    if (sf_write_short(sound.get(), samples.data(), count) != count) {
      throw ToolError(std::string("encoding failed: ") + sf_strerror(sound.get()));
    }
  }  // closing completes the file: a WAV header learns its sizes
  return std::move(file.bytes);
}

std::vector<std::int16_t> DecodeRawSound(std::string_view bytes, int rate, int format) {
  // libsndfile refuses a file without data; no bytes are no sound.
  if (bytes.empty()) return {};
  MemoryFile file{.bytes = std::string(bytes)};
  SF_INFO info = MonoInfo(rate, format);
  const SoundFile sound = Open(file, SFM_READ, info);
  std::vector<std::int16_t> samples(static_cast<std::size_t>(info.frames));
  const sf_count_t got = sf_read_short(sound.get(), samples.data(), info.frames);
  samples.resize(static_cast<std::size_t>(std::max<sf_count_t>(got, 0)));
  return samples;
}
