#include "voice/read_back.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "modem/command_engine.h"
#include "open_line.h"
#include "virtual_world.h"

namespace {

const std::string kDleEtx = "\x10\x03";
const std::vector<std::string> kPromptNames = {"verif1", "verif2", "zero", "one", "two",
                                               "three",  "four",   "five", "six", "seven",
                                               "eight",  "nine",   "star"};

// Each prompt says its own name.
std::string Prompt(const std::string& name) {
  return "<" + name + ">";
}

struct ReadBackCase {
  const char* name;
  std::string entry;
  std::string heard;  // the prompts of the one transmission, in order
  std::string stop_code = "b";
  std::string missing_prompt = "";
};

class ReadBackPromptsTest : public testing::TestWithParam<ReadBackCase> {};

TEST_P(ReadBackPromptsTest, PlaysThePromptsInOneTransmission) {
  const ReadBackCase& c = GetParam();
  VirtualWorld w(
      "echo off\nbaud 38400\n"
      "on \"AT #VTX\": \"CONNECT\" voice-tx until-end wait 500 key 9 wait 300 key *\n");
  OpenLine(w);
  std::filesystem::create_directory(w.Dir() / "voice");
  for (const std::string& name : kPromptNames) {
    if (name != c.missing_prompt) w.WriteFile("voice/" + name, Prompt(name) + kDleEtx);
  }
  w.values.PromptDir = "voice/";
  w.values.DigitTimeout = 20;
  w.values.StopCode = c.stop_code;
  w.values.Digits = c.entry;
  DleDecoder dle;

  EXPECT_TRUE(ReadBackEntry(w.modem, w.Dir(), dle));

  EXPECT_EQ(w.values.Digits, c.entry);
  const auto& voice = w.serial.Modem().VoiceData();
  ASSERT_EQ(voice.size(), 1u);
  EXPECT_EQ(voice[0], c.heard + kDleEtx);
  // The prompts go out back to back; one DLE ETX, the last write of all, ends them.
  const auto& writes = w.serial.Writes();
  int terminators = 0;
  for (const std::string& write : writes) terminators += write == kDleEtx;
  EXPECT_EQ(terminators, 1);
  EXPECT_EQ(writes.back(), kDleEtx);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, ReadBackPromptsTest,
    testing::Values(ReadBackCase{.name = "DigitsAndStar",
                                 .entry = "123*",
                                 .heard = "<verif1><one><two><three><star><verif2>"},
                    ReadBackCase{.name = "StopCodeRepeatsThePromptBefore",
                                 .entry = "12b",
                                 .heard = "<verif1><one><two><two><verif2>"},
                    ReadBackCase{
                        .name = "StarAlone", .entry = "*", .heard = "<verif1><star><verif2>"},
                    ReadBackCase{.name = "StopCodeAloneRepeatsTheOpening",
                                 .entry = "Z",
                                 .heard = "<verif1><verif1><verif2>",
                                 .stop_code = "Z"},
                    ReadBackCase{.name = "MissingPromptIsSilent",
                                 .entry = "30*",
                                 .heard = "<verif1><zero><star><verif2>",
                                 .missing_prompt = "three"}),
    [](const auto& info) { return info.param.name; });

struct ConfirmCase {
  const char* name;
  std::string keys;  // scenario actions after the read-back
  bool confirmed;
};

class ReadBackConfirmTest : public testing::TestWithParam<ConfirmCase> {};

TEST_P(ReadBackConfirmTest, ConfirmsOnlyAnEntryEndedByStarOrStopCode) {
  const ConfirmCase& c = GetParam();
  VirtualWorld w("echo off\non \"AT #VTX\": \"CONNECT\" voice-tx until-end " + c.keys + "\n");
  OpenLine(w);
  w.values.DigitTimeout = 20;
  w.values.Digits = "42*";
  DleDecoder dle;

  EXPECT_EQ(ReadBackEntry(w.modem, w.Dir(), dle), c.confirmed);
  if (c.confirmed) {
    EXPECT_EQ(w.values.Digits, "42*");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Confirmations, ReadBackConfirmTest,
    testing::Values(
        ConfirmCase{
            .name = "DigitsThenStar", .keys = "wait 500 key 9 wait 300 key *", .confirmed = true},
        ConfirmCase{.name = "StopCodeAlone", .keys = "wait 500 key b", .confirmed = true},
        ConfirmCase{.name = "LoneHash", .keys = "wait 500 key #", .confirmed = false},
        ConfirmCase{.name = "Silence", .keys = "wait 100", .confirmed = false},
        ConfirmCase{.name = "DigitsThenSilence", .keys = "wait 500 key 9", .confirmed = false}),
    [](const auto& info) { return info.param.name; });

}  // namespace
