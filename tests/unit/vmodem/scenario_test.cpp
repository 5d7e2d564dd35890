#include "vmodem/scenario.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "temp_dir.h"

namespace vmodem {
namespace {

using Kind = Action::Kind;

struct ParseCase {
  const char* name;
  const char* text;
  std::vector<Rule> rules;
  bool echo = true;
  int baud = 0;
  bool v253 = false;
};

class ParseTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseTest, ReadsTheStatements) {
  const ParseCase& c = GetParam();
  const Scenario s = ParseScenario(c.text, ".");
  EXPECT_EQ(s.rules, c.rules);
  EXPECT_EQ(s.echo, c.echo);
  EXPECT_EQ(s.baud, c.baud);
  EXPECT_EQ(s.v253, c.v253);
}

INSTANTIATE_TEST_SUITE_P(
    Scenario, ParseTest,
    testing::Values(
        ParseCase{
            .name = "Example",
            .text = "# The called party answers.\n"
                    "on \"ATI3\": \"VMODEM 56000 VOICE\" \"OK\"\n"
                    "\n"
                    "on \"AT #VTX\" #1: \"CONNECT\" voice-tx until-end wait 800 key 1 key *\n"
                    "on \"AT #VTX\": \"CONNECT\" voice-tx until-bytes 4096 key #\n",
            .rules = {Rule{.pattern = "ATI3",
                           .actions = {{Kind::kReply, "VMODEM 56000 VOICE"}, {Kind::kReply, "OK"}}},
                      Rule{.pattern = "AT #VTX",
                           .occurrence = 1,
                           .actions = {{Kind::kReply, "CONNECT"},
                                       {Kind::kVoiceTx, ""},
                                       {Kind::kUntilEnd, ""},
                                       {Kind::kWait, "", 0, std::chrono::milliseconds(800)},
                                       {Kind::kKey, "1"},
                                       {Kind::kKey, "*"}}},
                      Rule{.pattern = "AT #VTX",
                           .actions = {{Kind::kReply, "CONNECT"},
                                       {Kind::kVoiceTx, ""},
                                       {Kind::kUntilBytes, "", 4096},
                                       {Kind::kKey, "#"}}}}},
        ParseCase{.name = "LeavingTheLine",
                  .text = "on \"ATA\": flood 5 vanish\non \"ATH\": \"OK\" hangup lock-up\n",
                  .rules = {Rule{.pattern = "ATA",
                                 .actions = {{Kind::kFlood, "", 5}, {Kind::kVanish, ""}}},
                            Rule{.pattern = "ATH",
                                 .actions = {{Kind::kReply, "OK"},
                                             {Kind::kHangUp, ""},
                                             {Kind::kLockUp, ""}}}}},
        ParseCase{.name = "SettingsAndCrLfLines",
                  .text = "  # indented comment\r\necho off\r\nbaud 38400\r\n\t\r\n",
                  .rules = {},
                  .echo = false,
                  .baud = 38400},
        ParseCase{.name = "CommandSet",
                  .text = "command-set v253\ncommand-set hash\ncommand-set v253\n",
                  .rules = {},
                  .v253 = true},
        ParseCase{.name = "EscapesInEveryQuotedText",
                  .text = R"(on "A\"B\\": "x\ty" bytes "\r\n\x10\x03\xff" key "\x10")",
                  .rules = {Rule{.pattern = "A\"B\\",
                                 .actions = {{Kind::kReply, "x\ty"},
                                             {Kind::kBytes, std::string("\r\n\x10\x03\xff", 5)},
                                             {Kind::kKey, "\x10"}}}}},
        ParseCase{
            .name = "SilentAndEmptyRules",
            .text = "on \"ATH*\": silent\non \"ATZ\":\non\"X\"#2:\"Y\"",
            .rules = {Rule{.pattern = "ATH*", .actions = {}}, Rule{.pattern = "ATZ", .actions = {}},
                      Rule{.pattern = "X", .occurrence = 2, .actions = {{Kind::kReply, "Y"}}}}},
        ParseCase{
            .name = "QuotedVoiceData",
            .text = R"(on "AT #VRX": "CONNECT" voice-rx "ab\x10s")",
            .rules = {Rule{.pattern = "AT #VRX",
                           .actions = {{Kind::kReply, "CONNECT"}, {Kind::kVoiceRx, "ab\x10s"}}}}}),
    [](const auto& info) { return info.param.name; });

TEST(ParseScenario, ReadsVoiceFilesBesideTheScenario) {
  const TempDir dir("vmodem-scenario-");
  const std::string data("\x00\x80\x10\x10\x10s", 6);
  std::ofstream(dir.Path() / "message.raw", std::ios::binary) << data;
  const Scenario s = ParseScenario("on \"AT #VRX\": voice-rx message.raw", dir.Path());
  ASSERT_EQ(s.rules.size(), 1u);
  EXPECT_EQ(s.rules[0].actions, (std::vector<Action>{{Kind::kVoiceRx, data}}));
}

struct ErrorCase {
  const char* name;
  const char* text;
  const char* message;
};

class ParseErrorTest : public testing::TestWithParam<ErrorCase> {};

TEST_P(ParseErrorTest, NamesTheLineAndTheFault) {
  const ErrorCase& c = GetParam();
  try {
    ParseScenario(c.text, "/nonexistent");
    FAIL() << "parsed";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), c.message);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Scenario, ParseErrorTest,
    testing::Values(ErrorCase{.name = "UnknownAction",
                              .text = "# c\n\non \"AT\": \"OK\" ring 3",
                              .message = "line 3: unknown action 'ring'"},
                    ErrorCase{.name = "UnknownStatement",
                              .text = "answer \"AT\"",
                              .message = "line 1: unknown statement 'answer'"},
                    ErrorCase{.name = "MissingColon",
                              .text = "on \"AT\" \"OK\"",
                              .message = "line 1: expected ':' after the pattern"},
                    ErrorCase{.name = "UnquotedPattern",
                              .text = "on AT: \"OK\"",
                              .message = "line 1: expected a double-quoted text"},
                    ErrorCase{.name = "Unterminated",
                              .text = "echo off\non \"AT: OK",
                              .message = "line 2: unterminated quoted text"},
                    ErrorCase{.name = "BadHex",
                              .text = "on \"A\": bytes \"\\x1\"",
                              .message = "line 1: \\x needs two hex digits"},
                    ErrorCase{.name = "UnknownEscape",
                              .text = "on \"A\": \"\\q\"",
                              .message = "line 1: unknown escape \\q"},
                    ErrorCase{.name = "WaitWithoutNumber",
                              .text = "on \"A\": wait soon",
                              .message = "line 1: wait needs a whole number, not 'soon'"},
                    ErrorCase{.name = "NegativeWait",
                              .text = "on \"A\": wait -5",
                              .message = "line 1: wait needs a whole number, not '-5'"},
                    ErrorCase{.name = "LongKey",
                              .text = "on \"A\": key 12",
                              .message = "line 1: key needs exactly one character"},
                    ErrorCase{.name = "OccurrenceZero",
                              .text = "on \"A\" #0: \"B\"",
                              .message = "line 1: # counts from 1"},
                    ErrorCase{.name = "SilentWithReply",
                              .text = "on \"A\": silent \"B\"",
                              .message = "line 1: 'silent' takes no other actions"},
                    ErrorCase{.name = "BaudZero",
                              .text = "baud 0",
                              .message = "line 1: baud must lie between 1 and 10000000"},
                    ErrorCase{.name = "EchoMaybe",
                              .text = "echo maybe",
                              .message = "line 1: echo is 'on' or 'off'"},
                    ErrorCase{.name = "CommandSetMaybe",
                              .text = "command-set v34",
                              .message = "line 1: command-set is 'hash' or 'v253'"},
                    ErrorCase{.name = "TrailingText",
                              .text = "echo off now",
                              .message = "line 1: unexpected text after the statement"},
                    // Named whole, so that the message reads the same on every OS.
                    ErrorCase{.name = "MissingVoiceFile",
                              .text = "\non \"A\": voice-rx /nonexistent/gone.raw",
                              .message = "line 2: cannot read voice file /nonexistent/gone.raw"}),
    [](const auto& info) { return info.param.name; });

struct MatchCase {
  const char* pattern;
  const char* text;
  bool matches;
};

class MatchTest : public testing::TestWithParam<MatchCase> {};

TEST_P(MatchTest, MatchesWholeLinesWithStars) {
  const MatchCase& c = GetParam();
  EXPECT_EQ(MatchesPattern(c.pattern, c.text), c.matches) << c.pattern << " / " << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Scenario, MatchTest,
    testing::Values(MatchCase{.pattern = "ATD*", .text = "ATD5551234", .matches = true},
                    MatchCase{.pattern = "ATD*", .text = "ATD", .matches = true},
                    MatchCase{.pattern = "ATD*", .text = "xATD1", .matches = false},
                    MatchCase{.pattern = "AT*#VLS=*", .text = "AT #VLS=2", .matches = true},
                    MatchCase{.pattern = "*", .text = "", .matches = true},
                    MatchCase{.pattern = "", .text = "", .matches = true},
                    MatchCase{.pattern = "", .text = "AT", .matches = false},
                    MatchCase{.pattern = "A*B*C", .text = "AxxBxxBxC", .matches = true},
                    MatchCase{.pattern = "A*B", .text = "AxBxC", .matches = false},
                    MatchCase{.pattern = "*B", .text = "BBB", .matches = true},
                    MatchCase{.pattern = "ati3", .text = "ATI3", .matches = false},
                    MatchCase{.pattern = "ATI3", .text = "ATI3 ", .matches = false},
                    MatchCase{
                        .pattern = "AT #CLS=8*", .text = "AT #CLS=8 #VLS=0", .matches = true}));

}  // namespace
}  // namespace vmodem
