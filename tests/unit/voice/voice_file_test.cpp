#include "voice/voice_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "virtual_world.h"

namespace {

constexpr std::size_t kSize = LGR_BUF_VOICE;
const std::string kEnd = "\x10\x03";

std::string Repeat(char c, std::size_t n) {
  return std::string(n, c);
}

struct LoadCase {
  const char* name;
  std::optional<std::string> file;  // nullopt: no file
  std::size_t voice_len;
  std::string message;  // what the loader returns
};

class LoadMessageFileTest : public testing::TestWithParam<LoadCase> {};

TEST_P(LoadMessageFileTest, LoadsMessageAndDeletesFile) {
  const LoadCase& c = GetParam();
  VirtualWorld w;
  w.values.JobId = "3";
  if (c.file) w.WriteFile("talvin_3", *c.file);

  const std::string message = LoadMessageFile(w.Dir() / "talvin_3");

  EXPECT_EQ(message.size(), c.voice_len);
  EXPECT_EQ(message, c.message);
  EXPECT_FALSE(w.Exists("talvin_3"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoadMessageFileTest,
    testing::Values(
        LoadCase{.name = "NoTerminator", .file = "abc", .voice_len = 5, .message = "abc" + kEnd},
        LoadCase{.name = "BytesAfterTerminatorIgnored",
                 .file = Repeat('a', 1000) + kEnd + Repeat('z', 500),
                 .voice_len = 1002,
                 .message = Repeat('a', 1000) + kEnd},
        LoadCase{.name = "TerminatorInsideLongFile",
                 .file = Repeat('a', 149999) + kEnd + Repeat('b', 149999),
                 .voice_len = 150001,
                 .message = Repeat('a', 149999) + kEnd},
        LoadCase{.name = "InnerNulsKeptTrailingDropped",
                 .file = std::string("a\0\0b\0\0", 6),
                 .voice_len = 6,
                 .message = std::string("a\0\0b", 4) + kEnd},
        LoadCase{.name = "Empty", .file = "", .voice_len = 2, .message = kEnd},
        LoadCase{.name = "Missing", .file = std::nullopt, .voice_len = 2, .message = kEnd},
        LoadCase{.name = "ShieldedDleEtxIsData",
                 .file = "ab\x10\x10\003cd" + kEnd,
                 .voice_len = 9,
                 .message = "ab\x10\x10\003cd" + kEnd},
        LoadCase{.name = "ShieldedDleAtEndOfData",
                 .file = "ab\x10\x10" + kEnd,
                 .voice_len = 6,
                 .message = "ab\x10\x10" + kEnd},
        LoadCase{.name = "DataOf189998Bytes",
                 .file = Repeat('a', kSize - 2),
                 .voice_len = kSize,
                 .message = Repeat('a', kSize - 2) + kEnd},
        LoadCase{.name = "LastByteAt189999",
                 .file = Repeat('a', kSize - 1),
                 .voice_len = kSize,
                 .message = Repeat('a', kSize - 2) + kEnd},
        LoadCase{.name = "LastByteAt190000",
                 .file = Repeat('a', kSize),
                 .voice_len = kSize,
                 .message = Repeat('a', kSize - 2) + kEnd},
        LoadCase{.name = "FileLongerThanBuffer",
                 .file = Repeat('a', kSize + 5000),
                 .voice_len = kSize,
                 .message = Repeat('a', kSize - 2) + kEnd},
        // A DLE left without its partner would shield the terminator written after it.
        LoadCase{
            .name = "UnpairedDleAtEnd", .file = "ab\x10", .voice_len = 4, .message = "ab" + kEnd},
        LoadCase{.name = "CutSplitsShieldedPair",
                 .file = Repeat('a', kSize - 3) + "\x10\x10" + "b",
                 .voice_len = kSize - 1,
                 .message = Repeat('a', kSize - 3) + kEnd}),
    [](const testing::TestParamInfo<LoadCase>& info) { return info.param.name; });

struct PromptCase {
  const char* name;
  std::string file;
  std::size_t prompt_len;
};

class LoadVoiceFileTest : public testing::TestWithParam<PromptCase> {};

TEST_P(LoadVoiceFileTest, CountsPromptWithoutTerminatorAndLeavesFile) {
  const PromptCase& c = GetParam();
  VirtualWorld w;
  w.WriteFile("verif1", c.file);

  const std::string prompt = LoadVoiceFile(w.Dir() / "verif1");

  EXPECT_EQ(prompt, c.file.substr(0, c.prompt_len));
  EXPECT_EQ(w.ReadFile("verif1"), c.file);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoadVoiceFileTest,
    testing::Values(
        PromptCase{.name = "Terminated", .file = Repeat('p', 1000) + kEnd, .prompt_len = 1000},
        PromptCase{.name = "Unterminated", .file = "pqr", .prompt_len = 3},
        PromptCase{.name = "Empty", .file = "", .prompt_len = 0},
        PromptCase{
            .name = "ShieldedDleEtxIsData", .file = "p\x10\x10\x03q" + kEnd, .prompt_len = 5},
        // Longer than a 16-bit length could hold.
        PromptCase{
            .name = "LongerThan32766", .file = Repeat('p', 40000) + kEnd, .prompt_len = 40000}),
    [](const testing::TestParamInfo<PromptCase>& info) { return info.param.name; });

TEST(MissingPromptTest, IsCreatedEmptyInItsFolderSaysSoAndPlaysAsNothing) {
  VirtualWorld w;
  const std::filesystem::path star = w.Dir() / "star";

  testing::internal::CaptureStderr();
  const std::string prompt = LoadVoiceFile(star);

  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "talvo: prompt " + star.string() + " is missing; created it empty\n");
  EXPECT_EQ(prompt, "");
  EXPECT_EQ(w.ReadFile("star"), "");
}

}  // namespace
