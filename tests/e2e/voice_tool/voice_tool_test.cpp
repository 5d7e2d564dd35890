// talvo-voice as users run it: a tone imported in every coding and exported back keeps its
// length and its pitch; each coding gives the bytes (and Rockwell ADPCM decodes to the samples)
// of an independent implementation, the oracle; bad input is refused with one line and no
// output; the prompt script makes the whole read-back set.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>
#include <random>
#include <span>
#include <stdexcept>
#include <string>
#include <tuple>
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

// Runs the program args[0] in `dir`; its output files are gone again when this returns.
VoiceRun Run(const fs::path& dir, const std::vector<std::string>& args) {
  const fs::path out = dir / "stdout";
  const fs::path err = dir / "stderr";
  ChildProcess program(args, ChildOptions{.dir = dir, .stdout_file = out, .stderr_file = err});
  const std::optional<ChildEnd> end = program.Wait(std::chrono::seconds(60));
  VoiceRun run{end ? end->exit_code : -1, Slurp(out), Slurp(err)};
  fs::remove(out);
  fs::remove(err);
  return run;
}

VoiceRun TalvoVoice(const fs::path& dir, std::vector<std::string> args) {
  args.insert(args.begin(), TALVO_VOICE_BIN);
  return Run(dir, args);
}

// A 16-bit WAV of `samples`, the channels of each frame side by side.
void WriteWav(const fs::path& path, std::span<const std::int16_t> samples, int rate,
              int channels = 1) {
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = channels;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
  EXPECT_EQ(sf_write_short(file, samples.data(), std::ssize(samples)), std::ssize(samples));
  sf_close(file);
}

// One second of a 440 Hz sine at 44100 Hz in both channels of a 16-bit WAV.
void WriteStereoTone(const fs::path& path) {
  constexpr int kRate = 44100;
  std::vector<std::int16_t> frames;
  for (int i = 0; i < kRate; ++i) {
    const auto sample = static_cast<std::int16_t>(
        std::lround(16384 * std::sin(2 * std::numbers::pi * kToneHz * i / kRate)));
    frames.insert(frames.end(), {sample, sample});
  }
  WriteWav(path, frames, kRate, 2);
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
  std::vector<std::int16_t> samples;
};

Wav ReadWav(const fs::path& path) {
  Wav wav;
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &wav.info);
  if (!file) return wav;
  wav.samples.resize(static_cast<std::size_t>(wav.info.frames * wav.info.channels));
  wav.samples.resize(
      static_cast<std::size_t>(sf_read_short(file, wav.samples.data(), std::ssize(wav.samples))));
  sf_close(file);
  return wav;
}

// Whole cycles: rises through zero from below -0.1 to above +0.1 of full scale, deaf to coding
// noise.
int Cycles(const std::vector<std::int16_t>& samples) {
  int cycles = 0;
  bool low = false;
  for (const std::int16_t s : samples) {
    if (s < -3277) low = true;
    if (s > 3277 && low) {
      ++cycles;
      low = false;
    }
  }
  return cycles;
}

struct CodingCase {
  const char* coding;
  int bits;
  int rate;
  bool too_fast_for_38400;  // needs more bytes a second than 38400 bit/s carry
};

class VoiceToolCodingTest : public testing::TestWithParam<CodingCase> {};

TEST_P(VoiceToolCodingTest, AToneImportedAndExportedKeepsItsLengthAndPitch) {
  const CodingCase& c = GetParam();
  const std::string rate = std::to_string(c.rate);
  TempDir dir("voice-tool-test-");
  WriteStereoTone(dir.Path() / "tone.wav");

  const VoiceRun import = TalvoVoice(
      dir.Path(), {"import", "tone.wav", "tone.voice", "--coding", c.coding, "--rate", rate});
  EXPECT_EQ(import.exit_code, 0) << import.err;
  EXPECT_EQ(import.err.find("cannot play without gaps") != std::string::npos, c.too_fast_for_38400)
      << import.err;
  const std::string voice = Slurp(dir.Path() / "tone.voice");
  EXPECT_TRUE(voice.ends_with(kDleEtx));
  const std::string sound = SoundOf(voice);
  const double expected_bytes = c.rate * c.bits / 8.0;
  EXPECT_NEAR(static_cast<double>(sound.size()), expected_bytes, 0.02 * expected_bytes);
  const auto dles = static_cast<std::size_t>(std::ranges::count(sound, kDle));
  EXPECT_EQ(voice.size(), sound.size() + dles + kDleEtx.size());
  const VoiceRun info =
      TalvoVoice(dir.Path(), {"info", "tone.voice", "--coding", c.coding, "--rate", rate});
  EXPECT_NE(info.out.find("sound bytes: " + std::to_string(sound.size()) + "\nDLE pairs: 1\n"),
            std::string::npos)
      << info.out;
  EXPECT_NE(info.out.find("DLE ETX: after " + std::to_string(voice.size() - kDleEtx.size()) +
                          " bytes, 0 bytes follow it\nduration: 1.0"),
            std::string::npos)
      << info.out;

  const VoiceRun exported = TalvoVoice(
      dir.Path(), {"export", "tone.voice", "back.wav", "--coding", c.coding, "--rate", rate});
  EXPECT_EQ(exported.exit_code, 0) << exported.err;
  EXPECT_EQ(exported.err, "");
  const Wav wav = ReadWav(dir.Path() / "back.wav");
  EXPECT_EQ(wav.info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
  EXPECT_EQ(wav.info.channels, 1);
  ASSERT_EQ(wav.info.samplerate, c.rate);
  const double seconds = static_cast<double>(wav.samples.size()) / c.rate;
  EXPECT_NEAR(seconds, 1.0, 0.05);
  EXPECT_NEAR(Cycles(wav.samples) / seconds, kToneHz, 0.03 * kToneHz);
}

INSTANTIATE_TEST_SUITE_P(
    Codings, VoiceToolCodingTest,
    testing::Values(CodingCase{"u8", 8, 8000, true}, CodingCase{"s8", 8, 8000, true},
                    CodingCase{"s16", 16, 8000, true}, CodingCase{"ulaw", 8, 8000, true},
                    CodingCase{"alaw", 8, 8000, true}, CodingCase{"ima", 4, 8000, true},
                    CodingCase{"rockwell2", 2, 7200, false},
                    CodingCase{"rockwell3", 3, 7200, false},
                    CodingCase{"rockwell4", 4, 7200, false}, CodingCase{"vox", 4, 8000, true}),
    [](const auto& info) { return std::string(info.param.coding); });

// The oracle: the programs of mgetty-pvftools and, for A-law, the G.191 reference encoder (as
// Python's audioop has it), each run as a program of its own. A missing one fails the test.
struct OracleCoding {
  const char* coding;
  int bits;
  int rate;
  std::vector<std::string> pvftormd;  // its modem type and coding; empty for A-law
  bool decodes;                       // rmdtopvf decodes it, to compare our decoder with
};

constexpr char kAlawReference[] =
    "import audioop, sys\n"
    "open(sys.argv[2], 'wb').write(audioop.lin2alaw(open(sys.argv[1], 'rb').read(), 2))\n";
constexpr std::size_t kRmdHeader = 32;

// Runs an oracle's program in `dir`; throws when it fails (or is missing).
void RunOracle(const fs::path& dir, const std::vector<std::string>& args) {
  const VoiceRun run = Run(dir, args);
  if (run.exit_code != 0) {
    throw std::runtime_error(args[0] + " failed (scripts/install-deps installs it): " + run.err);
  }
}

// Where `a` and `b` first differ, over the shorter one; npos when nowhere.
template <typename Range>
std::size_t FirstDifference(const Range& a, const Range& b) {
  const auto [in_a, in_b] = std::ranges::mismatch(a, b);
  if (in_a == std::ranges::end(a) || in_b == std::ranges::end(b)) return std::string::npos;
  return static_cast<std::size_t>(in_a - std::ranges::begin(a));
}

struct Signal {
  const char* name;
  std::vector<std::int16_t> (*make)(const fs::path& dir, int rate);
};

std::vector<std::int16_t> Speech(const fs::path& dir, int rate) {
  RunOracle(dir, {"/usr/bin/espeak-ng", "-w", "speech.wav", "Please call me back at five."});
  RunOracle(dir, {"/usr/bin/sox", "-D", "speech.wav", "-r", std::to_string(rate), "-b", "16",
                  "speech_at_rate.wav"});
  return ReadWav(dir / "speech_at_rate.wav").samples;
}

std::vector<std::int16_t> Sine(const fs::path&, int rate) {
  std::vector<std::int16_t> samples;
  for (int i = 0; i < rate; ++i) {
    samples.push_back(static_cast<std::int16_t>(
        std::lround(16000 * std::sin(2 * std::numbers::pi * 1000 * i / rate))));
  }
  return samples;
}

std::vector<std::int16_t> Silence(const fs::path&, int rate) {
  return std::vector<std::int16_t>(static_cast<std::size_t>(rate), 0);
}

std::vector<std::int16_t> FullScaleSquare(const fs::path&, int rate) {
  std::vector<std::int16_t> samples;
  for (int i = 0; i < rate; ++i) samples.push_back(i / 16 % 2 == 0 ? 32767 : -32768);
  return samples;
}

// Twelve seconds: long enough that its s16 voice file is longer than talvo plays.
std::vector<std::int16_t> WhiteNoise(const fs::path&, int rate) {
  std::mt19937 random(1234);
  std::uniform_int_distribution<int> sample(-32768, 32767);
  std::vector<std::int16_t> samples;
  for (int i = 0; i < 12 * rate; ++i) samples.push_back(static_cast<std::int16_t>(sample(random)));
  return samples;
}

std::vector<std::int16_t> EveryValue(const fs::path&, int) {
  std::vector<std::int16_t> samples;
  for (int i = -32768; i <= 32767; ++i) samples.push_back(static_cast<std::int16_t>(i));
  return samples;
}

class VoiceToolOracleTest : public testing::TestWithParam<std::tuple<OracleCoding, Signal>> {};

TEST_P(VoiceToolOracleTest, CodesAndDecodesAsTheOracleDoes) {
  const auto& [c, signal] = GetParam();
  TempDir dir("voice-tool-test-");
  const std::vector<std::int16_t> samples = signal.make(dir.Path(), c.rate);
  ASSERT_FALSE(samples.empty());
  ASSERT_NO_FATAL_FAILURE(WriteWav(dir.Path() / "in.wav", samples, c.rate));
  std::ofstream(dir.Path() / "in.raw", std::ios::binary)
      .write(reinterpret_cast<const char*>(samples.data()), std::ssize(samples) * 2);

  const VoiceRun import = TalvoVoice(dir.Path(), {"import", "in.wav", "ours", "--coding", c.coding,
                                                  "--rate", std::to_string(c.rate)});
  ASSERT_EQ(import.exit_code, 0) << import.err;
  const std::string voice = Slurp(dir.Path() / "ours");
  EXPECT_EQ(import.err.find("talvo plays only the first 190000") != std::string::npos,
            voice.size() > 190000)
      << import.err;
  const std::string ours = SoundOf(voice);
  EXPECT_EQ(ours.size(), (samples.size() * c.bits + 7) / 8);

  std::string reference;
  if (c.pvftormd.empty()) {
    RunOracle(dir.Path(),
              {"/usr/bin/python3", "-W", "ignore", "-c", kAlawReference, "in.raw", "reference"});
    reference = Slurp(dir.Path() / "reference");
  } else {
    RunOracle(dir.Path(), {"/usr/bin/wavtopvf", "in.wav", "in.pvf"});
    RunOracle(dir.Path(), {"/usr/bin/pvftormd", c.pvftormd[0], c.pvftormd[1], "in.pvf", "ref.rmd"});
    reference = Slurp(dir.Path() / "ref.rmd").substr(kRmdHeader);
  }
  // wavtopvf adds a sample: compare the bytes that our samples fill.
  const std::size_t whole = samples.size() * c.bits / 8;
  ASSERT_GE(reference.size(), whole);
  EXPECT_EQ(FirstDifference(ours.substr(0, whole), reference.substr(0, whole)), std::string::npos);
  if (!c.decodes) return;

  // The oracle's codes as a recording from a modem: the same samples back from both decoders.
  std::string recording;
  for (const char byte : reference) {
    recording += byte;
    if (byte == kDle) recording += kDle;
  }
  std::ofstream(dir.Path() / "recording", std::ios::binary) << recording << kDleEtx;
  const VoiceRun exported =
      TalvoVoice(dir.Path(), {"export", "recording", "ours.wav", "--coding", c.coding});
  ASSERT_EQ(exported.exit_code, 0) << exported.err;
  RunOracle(dir.Path(), {"/usr/bin/rmdtopvf", "ref.rmd", "ref.pvf"});
  RunOracle(dir.Path(), {"/usr/bin/pvftolin", "-W", "-S", "-I", "ref.pvf", "ref.lin"});
  const std::string lin = Slurp(dir.Path() / "ref.lin");
  std::vector<std::int16_t> theirs(lin.size() / 2);
  std::memcpy(theirs.data(), lin.data(), theirs.size() * 2);
  const std::vector<std::int16_t> decoded = ReadWav(dir.Path() / "ours.wav").samples;
  EXPECT_EQ(decoded.size(), theirs.size());
  EXPECT_EQ(FirstDifference(decoded, theirs), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Codings, VoiceToolOracleTest,
    testing::Combine(testing::Values(OracleCoding{"u8", 8, 8000, {"V253modem", "8"}, false},
                                     OracleCoding{"s8", 8, 8000, {"V253modem", "9"}, false},
                                     OracleCoding{"s16", 16, 8000, {"V253modem", "12"}, false},
                                     OracleCoding{"ulaw", 8, 8000, {"V253modem", "6"}, false},
                                     OracleCoding{"alaw", 8, 8000, {}, false},
                                     OracleCoding{"ima", 4, 8000, {"V253modem", "5"}, false},
                                     OracleCoding{"rockwell2", 2, 7200, {"Rockwell", "2"}, true},
                                     OracleCoding{"rockwell3", 3, 7200, {"Rockwell", "3"}, true},
                                     OracleCoding{"rockwell4", 4, 7200, {"Rockwell", "4"}, true}),
                     testing::Values(Signal{"Speech", Speech}, Signal{"Sine", Sine},
                                     Signal{"Silence", Silence},
                                     Signal{"FullScaleSquare", FullScaleSquare},
                                     Signal{"WhiteNoise", WhiteNoise},
                                     Signal{"EveryValue", EveryValue})),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).coding) + "_" + std::get<1>(info.param).name;
    });

struct RefusalCase {
  const char* name;
  std::vector<std::string> args;  // run in a folder holding tone.wav and text.wav
  const char* says;               // part of the line
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
  EXPECT_NE(run.err.find(GetParam().says), std::string::npos) << run.err;
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(dir.Path())) {
    left.push_back(entry.path().filename().string());
  }
  std::ranges::sort(left);
  EXPECT_EQ(left, (std::vector<std::string>{"text.wav", "tone.wav"}));
}

INSTANTIATE_TEST_SUITE_P(
    BadInput, VoiceToolRefusalTest,
    testing::Values(
        RefusalCase{
            "UnknownCoding", {"import", "tone.wav", "out", "--coding", "pcm16"}, "unknown coding"},
        RefusalCase{"RetiredCoding",
                    {"import", "tone.wav", "out", "--coding", "adpcm4"},
                    "use rockwell4, and the old adpcm4 (OKI ADPCM of telephony boards) is vox"},
        RefusalCase{"RockwellAt8000",
                    {"import", "tone.wav", "y", "--coding", "rockwell4", "--rate", "8000"},
                    "rockwell4 exists at 7200 Hz only"},
        RefusalCase{"BadRate", {"export", "tone.wav", "out.wav", "--rate", "8k"}, "bad rate"},
        RefusalCase{
            "MissingInput", {"import", "missing.wav", "out"}, " missing.wav: no such file\n"},
        RefusalCase{"UnreadableAudio", {"import", "text.wav", "out"}, "cannot read it as audio"},
        RefusalCase{"OutputFolderMissing", {"import", "tone.wav", "no/out"}, "cannot write it"},
        RefusalCase{"ExportOfAWav", {"export", "tone.wav", "out.wav"}, "talvo-voice import"},
        RefusalCase{"ExportWithoutDleEtx", {"export", "text.wav", "out.wav"}, "--force"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TalvoPromptsTest, MakesTheReadBackSetAsVoiceFiles) {
  TempDir dir("voice-tool-test-");
  ChildProcess script({TALVO_PROMPTS, (dir.Path() / "prompts").string()},
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
