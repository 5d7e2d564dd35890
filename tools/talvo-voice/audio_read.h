#pragma once
// Reads any audio file libsndfile knows (WAV, FLAC, AIFF, Ogg, ... at any rate and channel
// count) as one channel: the channels are averaged, sample by sample.
#include <filesystem>
#include <vector>

struct MonoSound {
  std::vector<float> samples;  // full scale is -1 to 1
  int rate;                    // samples per second
};

// Throws ToolError when the file cannot be read as audio.
MonoSound ReadAudio(const std::filesystem::path& path);
