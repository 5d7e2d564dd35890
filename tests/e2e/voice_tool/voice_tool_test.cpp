// talvo-voice as users run it: a tone imported in every coding and exported back keeps its
// length and its pitch; bad input is refused with one line and no output; the prompt script
// makes the whole read-back set.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>
#include <string>
#include <vector>

#include "child_process.h"
#include "core/dle.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

constexpr double kToneHz = 440;

std::string Slurp(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct VoiceRun {
  int exit_code;
  std::string out;
  std::string err;
};

// Runs talvo-voice in `dir` with `args`; its output files are gone again when this returns.
VoiceRun TalvoVoice(const fs::path& dir, std::vector<std::string> args) {
  args.insert(args.begin(), TALVO_VOICE_BIN);
  const fs::path out = dir / "stdout";
  const fs::path err = dir / "stderr";
  ChildProcess program(args, ChildOptions{.dir = dir, .stdout_file = out, .stderr_file = err});
  const std::optional<ChildEnd> end = program.Wait(std::chrono::seconds(60));
  VoiceRun run{end ? end->exit_code : -1, Slurp(out), Slurp(err)};
  fs::remove(out);
  fs::remove(err);
  return run;
}

// One second of a 440 Hz sine at 44100 Hz in both channels of a 16-bit WAV.
void WriteStereoTone(const fs::path& path) {
  constexpr int kRate = 44100;
  std::vector<float> frames;
  for (int i = 0; i < kRate; ++i) {
    const auto sample =
        static_cast<float>(0.5 * std::sin(2 * std::numbers::pi * kToneHz * i / kRate));
    frames.insert(frames.end(), {sample, sample});
  }
  SF_INFO info{};
  info.samplerate = kRate;
  info.channels = 2;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
  EXPECT_EQ(sf_writef_float(file, frames.data(), kRate), kRate);
  sf_close(file);
}

// The data bytes of a voice file: DLE DLE is one byte, the first DLE ETX ends it.
std::string SoundOf(const std::string& voice) {
  std::string sound;
  DleDecoder decoder;
  for (const char byte : voice) {
    const std::optional<DleItem> item = decoder.Feed(byte);
    if (!item) continue;
    if (item->kind != DleItem::Kind::kData) break;
    sound += item->byte;
  }
  return sound;
}

struct Wav {
  SF_INFO info{};
  std::vector<float> samples;
};

Wav ReadWav(const fs::path& path) {
  Wav wav;
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &wav.info);
  if (!file) return wav;
  wav.samples.resize(static_cast<std::size_t>(wav.info.frames * wav.info.channels));
  wav.samples.resize(
      static_cast<std::size_t>(sf_read_float(file, wav.samples.data(), wav.samples.size())));
  sf_close(file);
  return wav;
}

// Whole cycles: rises through zero from below -0.1 to above +0.1, deaf to coding noise.
int Cycles(const std::vector<float>& samples) {
  int cycles = 0;
  bool low = false;
  for (const float s : samples) {
    if (s < -0.1f) low = true;
    if (s > 0.1f && low) {
      ++cycles;
      low = false;
    }
  }
  return cycles;
}

struct CodingCase {
  const char* coding;
  int bits;
};

class VoiceToolCodingTest : public testing::TestWithParam<CodingCase> {};

TEST_P(VoiceToolCodingTest, AToneImportedAndExportedKeepsItsLengthAndPitch) {
  const CodingCase& c = GetParam();
  TempDir dir("voice-tool-test-");
  WriteStereoTone(dir.Path() / "tone.wav");

  const VoiceRun import = TalvoVoice(
      dir.Path(), {"import", "tone.wav", "tone.voice", "--coding", c.coding, "--rate", "8000"});
  EXPECT_EQ(import.exit_code, 0) << import.err;
  const std::string voice = Slurp(dir.Path() / "tone.voice");
  EXPECT_TRUE(voice.ends_with(kDleEtx));
  const std::string sound = SoundOf(voice);
  const double expected_bytes = 8000.0 * c.bits / 8;
  EXPECT_NEAR(static_cast<double>(sound.size()), expected_bytes, 0.02 * expected_bytes);
  const auto dles = static_cast<std::size_t>(std::ranges::count(sound, kDle));
  EXPECT_EQ(voice.size(), sound.size() + dles + kDleEtx.size());
  const VoiceRun info =
      TalvoVoice(dir.Path(), {"info", "tone.voice", "--coding", c.coding, "--rate", "8000"});
  EXPECT_NE(info.out.find("sound bytes: " + std::to_string(sound.size()) + "\nDLE pairs: 1\n"),
            std::string::npos)
      << info.out;

  const VoiceRun exported = TalvoVoice(
      dir.Path(), {"export", "tone.voice", "back.wav", "--coding", c.coding, "--rate", "8000"});
  EXPECT_EQ(exported.exit_code, 0) << exported.err;
  EXPECT_EQ(exported.err, "");
  const Wav wav = ReadWav(dir.Path() / "back.wav");
  EXPECT_EQ(wav.info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
  EXPECT_EQ(wav.info.channels, 1);
  ASSERT_EQ(wav.info.samplerate, 8000);
  const double seconds = static_cast<double>(wav.samples.size()) / 8000;
  EXPECT_NEAR(seconds, 1.0, 0.05);
  EXPECT_NEAR(Cycles(wav.samples) / seconds, kToneHz, 0.03 * kToneHz);
}

INSTANTIATE_TEST_SUITE_P(Codings, VoiceToolCodingTest,
                         testing::Values(CodingCase{"u8", 8}, CodingCase{"ulaw", 8},
                                         CodingCase{"alaw", 8}, CodingCase{"adpcm4", 4}),
                         [](const auto& info) { return std::string(info.param.coding); });

struct RefusalCase {
  const char* name;
  std::vector<std::string> args;  // run in a folder holding tone.wav and text.wav
};

class VoiceToolRefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(VoiceToolRefusalTest, SaysWhyInOneLineAndWritesNothing) {
  TempDir dir("voice-tool-test-");
  WriteStereoTone(dir.Path() / "tone.wav");
  std::ofstream(dir.Path() / "text.wav") << "not audio\n";

  const VoiceRun run = TalvoVoice(dir.Path(), GetParam().args);

  EXPECT_EQ(run.exit_code, 2);
  EXPECT_TRUE(run.err.starts_with("talvo-voice: ")) << run.err;
  EXPECT_EQ(std::ranges::count(run.err, '\n'), 1) << run.err;
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(dir.Path())) {
    left.push_back(entry.path().filename().string());
  }
  std::ranges::sort(left);
  EXPECT_EQ(left, (std::vector<std::string>{"text.wav", "tone.wav"}));
}

INSTANTIATE_TEST_SUITE_P(
    BadInput, VoiceToolRefusalTest,
    testing::Values(RefusalCase{"UnknownCoding",
                                {"import", "tone.wav", "out", "--coding", "pcm16"}},
                    RefusalCase{"BadRate", {"export", "tone.wav", "out.wav", "--rate", "8k"}},
                    RefusalCase{"MissingInput", {"import", "missing.wav", "out"}},
                    RefusalCase{"UnreadableAudio", {"import", "text.wav", "out"}},
                    RefusalCase{"OutputFolderMissing", {"import", "tone.wav", "no/out"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MakePromptsTest, MakesTheReadBackSetAsVoiceFiles) {
  TempDir dir("voice-tool-test-");
  ChildProcess script({MAKE_PROMPTS, (dir.Path() / "prompts").string(), "--coding", "adpcm4"},
                      ChildOptions{.env = {{"TALVO_VOICE", TALVO_VOICE_BIN}},
                                   .stdout_file = dir.Path() / "out",
                                   .stderr_file = dir.Path() / "out"});
  const std::optional<ChildEnd> end = script.Wait(std::chrono::seconds(120));
  ASSERT_TRUE(end);
  EXPECT_EQ(end->exit_code, 0) << Slurp(dir.Path() / "out");
  for (const char* name : {"zero", "one", "two", "three", "four", "five", "six", "seven", "eight",
                           "nine", "star", "verif1", "verif2"}) {
    const std::string voice = Slurp(dir.Path() / "prompts" / name);
    EXPECT_GT(voice.size(), kDleEtx.size()) << name;
    EXPECT_TRUE(voice.ends_with(kDleEtx)) << name;
  }
}

}  // namespace
