#include "audio_read.h"

#include <sndfile.h>

#include <string>

#include "files.h"
#include "sound_file.h"
#include "tool_error.h"

MonoSound ReadAudio(const std::filesystem::path& path) {
  SF_INFO info{};
  const SoundFile file(sf_open(path.c_str(), SFM_READ, &info));
  if (!file) {
    std::error_code ignored;
    if (!std::filesystem::exists(path, ignored)) throw NoSuchFile(path);
    throw ToolError(path.string() + ": cannot read it as audio: " + sf_strerror(nullptr));
  }
  constexpr sf_count_t kChunkFrames = 4096;
  const auto channels = static_cast<std::size_t>(info.channels);
  std::vector<float> chunk(kChunkFrames * channels);
  MonoSound sound{.samples = {}, .rate = info.samplerate};
  sf_count_t got = 0;
  while ((got = sf_readf_float(file.get(), chunk.data(), kChunkFrames)) > 0) {
    for (sf_count_t frame = 0; frame < got; ++frame) {
      float sum = 0;
      for (std::size_t c = 0; c < channels; ++c) sum += chunk[frame * channels + c];
      sound.samples.push_back(sum / static_cast<float>(channels));
    }
  }
  if (sf_error(file.get()) != SF_ERR_NO_ERROR) {
    throw ToolError(path.string() + ": " + sf_strerror(file.get()));
  }
  return sound;
}
