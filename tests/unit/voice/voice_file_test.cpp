#include "voice/voice_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "virtual_world.h"

namespace {

constexpr std::size_t kSize = JobValues::LGR_BUF_VOICE;
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
        LoadCase{"NoTerminator", "abc", 5, "abc" + kEnd},
        LoadCase{"BytesAfterTerminatorIgnored", Repeat('a', 1000) + kEnd + Repeat('z', 500), 1002,
                 Repeat('a', 1000) + kEnd},
        LoadCase{"TerminatorInsideLongFile", Repeat('a', 149999) + kEnd + Repeat('b', 149999),
                 150001, Repeat('a', 149999) + kEnd},
        LoadCase{"InnerNulsKeptTrailingDropped", std::string("a\0\0b\0\0", 6), 6,
                 std::string("a\0\0b", 4) + kEnd},
        LoadCase{"Empty", "", 2, kEnd}, LoadCase{"Missing", std::nullopt, 2, kEnd},
        LoadCase{"ShieldedDleEtxIsData", "ab\x10\x10\003cd" + kEnd, 9, "ab\x10\x10\003cd" + kEnd},
        LoadCase{"ShieldedDleAtEndOfData", "ab\x10\x10" + kEnd, 6, "ab\x10\x10" + kEnd},
        LoadCase{"DataOf189998Bytes", Repeat('a', kSize - 2), kSize, Repeat('a', kSize - 2) + kEnd},
        LoadCase{"LastByteAt189999", Repeat('a', kSize - 1), kSize, Repeat('a', kSize - 2) + kEnd},
        LoadCase{"LastByteAt190000", Repeat('a', kSize), kSize, Repeat('a', kSize - 2) + kEnd},
        LoadCase{"FileLongerThanBuffer", Repeat('a', kSize + 5000), kSize,
                 Repeat('a', kSize - 2) + kEnd},
        // A DLE left without its partner would shield the terminator written after it.
        LoadCase{"UnpairedDleAtEnd", "ab\x10", 4, "ab" + kEnd},
        LoadCase{"CutSplitsShieldedPair", Repeat('a', kSize - 3) + "\x10\x10" + "b", kSize - 1,
                 Repeat('a', kSize - 3) + kEnd}),
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
    testing::Values(PromptCase{"Terminated", Repeat('p', 1000) + kEnd, 1000},
                    PromptCase{"Unterminated", "pqr", 3}, PromptCase{"Empty", "", 0},
                    PromptCase{"ShieldedDleEtxIsData", "p\x10\x10\x03q" + kEnd, 5},
                    // Longer than a 16-bit length could hold.
                    PromptCase{"LongerThan32766", Repeat('p', 40000) + kEnd, 40000}),
    [](const testing::TestParamInfo<PromptCase>& info) { return info.param.name; });

TEST(LoadVoiceFile, MissingPromptIsCreatedEmptyAndPlaysAsNothing) {
  VirtualWorld w;

  const std::string prompt = LoadVoiceFile(w.Dir() / "star");

  EXPECT_EQ(prompt, "");
  EXPECT_TRUE(w.Exists("star"));
  EXPECT_EQ(w.ReadFile("star"), "");
}

}  // namespace
