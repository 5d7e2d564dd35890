#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "audio_read.h"
#include "codings.h"
#include "commands.h"
#include "core/dle.h"
#include "core/voice_buffer.h"
#include "files.h"
#include "resample.h"
#include "voice_framing.h"

namespace {

// talvo loads the first LGR_BUF_VOICE bytes of a message; without a DLE ETX among them it
// ends the data short of the buffer's end, where its own DLE ETX fits.
void WarnIfTalvoCuts(const std::string& sound, const std::string& framed,
                     const CommandLine& command) {
  constexpr std::size_t kLimit = LGR_BUF_VOICE;
  if (framed.size() <= kLimit) return;
  const std::size_t played =
      UnframeVoice(std::string_view(framed).substr(0, kLimit - kDleEtx.size())).sound.size();
  const double byte_rate = ByteRate(*command.coding, command.rate);
  std::fprintf(stderr,
               "talvo-voice: warning: %s is %zu bytes, but talvo plays only the first %zu: it "
               "cuts the message at %.1f s of %.1f s\n",
               command.out.c_str(), framed.size(), kLimit, played / byte_rate,
               sound.size() / byte_rate);
}

// The serial line carries 10 bits a byte (start, 8 data, stop).
void WarnIfTheLineIsTooSlow(const CommandLine& command) {
  const double needed = ByteRate(*command.coding, command.rate);
  const double carried = command.line / 10.0;
  if (needed <= carried) return;
  std::fprintf(stderr,
               "talvo-voice: warning: %s at %d Hz needs %.0f bytes/s, but %d bit/s carries "
               "%.0f bytes/s: the message cannot play without gaps\n",
               std::string(command.coding->name).c_str(), command.rate, needed, command.line,
               carried);
}

// Full scale (-1 to 1) to 16-bit samples, clipped; a 16-bit input comes back as it was.
std::vector<std::int16_t> To16Bits(std::span<const float> samples) {
  std::vector<std::int16_t> out;
  out.reserve(samples.size());
  for (const float sample : samples) {
    out.push_back(
        static_cast<std::int16_t>(std::lround(std::clamp(sample * 32768.0, -32768.0, 32767.0))));
  }
  return out;
}

}  // namespace

void RunImport(const CommandLine& command) {
  const MonoSound audio = ReadAudio(command.in);
  const std::string sound =
      CodecOf(*command.coding).encode(To16Bits(Resample(audio.samples, audio.rate, command.rate)));
  const std::string framed = FrameVoice(sound);
  WriteOutputFile(command.out, framed);
  WarnIfTalvoCuts(sound, framed, command);
  WarnIfTheLineIsTooSlow(command);
}
