#include "vmodem/scenario.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace vmodem {
namespace {

using Kind = Action::Kind;

struct ParseCase {
  const char* name;
  const char* text;
  std::vector<Rule> rules;
  bool echo = true;
  int baud = 0;
};

class ParseTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseTest, ReadsTheStatements) {
  const ParseCase& c = GetParam();
  const Scenario s = ParseScenario(c.text, ".");
  EXPECT_EQ(s.rules, c.rules);
  EXPECT_EQ(s.echo, c.echo);
  EXPECT_EQ(s.baud, c.baud);
}

INSTANTIATE_TEST_SUITE_P(
    Scenario, ParseTest,
    testing::Values(
        ParseCase{"Example",
                  "# The called party answers.\n"
                  "on \"ATI3\": \"VMODEM 56000 VOICE\" \"OK\"\n"
                  "\n"
                  "on \"AT #VTX\" #1: \"CONNECT\" voice-tx until-end wait 800 key 1 key *\n"
                  "on \"AT #VTX\": \"CONNECT\" voice-tx until-bytes 4096 key #\n",
                  {Rule{"ATI3", 0, {{Kind::kReply, "VMODEM 56000 VOICE"}, {Kind::kReply, "OK"}}},
                   Rule{"AT #VTX",
                        1,
                        {{Kind::kReply, "CONNECT"},
                         {Kind::kVoiceTx, ""},
                         {Kind::kUntilEnd, ""},
                         {Kind::kWait, "", 800},
                         {Kind::kKey, "1"},
                         {Kind::kKey, "*"}}},
                   Rule{"AT #VTX",
                        0,
                        {{Kind::kReply, "CONNECT"},
                         {Kind::kVoiceTx, ""},
                         {Kind::kUntilBytes, "", 4096},
                         {Kind::kKey, "#"}}}}},
        ParseCase{"SettingsAndCrLfLines",
                  "  # indented comment\r\necho off\r\nbaud 38400\r\n\t\r\n",
                  {},
                  false,
                  38400},
        ParseCase{"EscapesInEveryQuotedText",
                  R"(on "A\"B\\": "x\ty" bytes "\r\n\x10\x03\xff" key "\x10")",
                  {Rule{"A\"B\\",
                        0,
                        {{Kind::kReply, "x\ty"},
                         {Kind::kBytes, std::string("\r\n\x10\x03\xff", 5)},
                         {Kind::kKey, "\x10"}}}}},
        ParseCase{"SilentAndEmptyRules",
                  "on \"ATH*\": silent\non \"ATZ\":\non\"X\"#2:\"Y\"",
                  {Rule{"ATH*", 0, {}}, Rule{"ATZ", 0, {}}, Rule{"X", 2, {{Kind::kReply, "Y"}}}}},
        ParseCase{"QuotedVoiceData",
                  R"(on "AT #VRX": "CONNECT" voice-rx "ab\x10s")",
                  {Rule{"AT #VRX", 0, {{Kind::kReply, "CONNECT"}, {Kind::kVoiceRx, "ab\x10s"}}}}}),
    [](const auto& info) { return info.param.name; });

TEST(ParseScenario, ReadsVoiceFilesBesideTheScenario) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("vmodem-scenario-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const std::string data("\x00\x80\x10\x10\x10s", 6);
  std::ofstream(dir / "message.raw", std::ios::binary) << data;
  const Scenario s = ParseScenario("on \"AT #VRX\": voice-rx message.raw", dir);
  std::filesystem::remove_all(dir);
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
    testing::Values(
        ErrorCase{"UnknownAction", "# c\n\non \"AT\": \"OK\" ring 3",
                  "line 3: unknown action 'ring'"},
        ErrorCase{"UnknownStatement", "answer \"AT\"", "line 1: unknown statement 'answer'"},
        ErrorCase{"MissingColon", "on \"AT\" \"OK\"", "line 1: expected ':' after the pattern"},
        ErrorCase{"UnquotedPattern", "on AT: \"OK\"", "line 1: expected a double-quoted text"},
        ErrorCase{"Unterminated", "echo off\non \"AT: OK", "line 2: unterminated quoted text"},
        ErrorCase{"BadHex", "on \"A\": bytes \"\\x1\"", "line 1: \\x needs two hex digits"},
        ErrorCase{"UnknownEscape", "on \"A\": \"\\q\"", "line 1: unknown escape \\q"},
        ErrorCase{"WaitWithoutNumber", "on \"A\": wait soon",
                  "line 1: wait needs a whole number, not 'soon'"},
        ErrorCase{"NegativeWait", "on \"A\": wait -5",
                  "line 1: wait needs a whole number, not '-5'"},
        ErrorCase{"LongKey", "on \"A\": key 12", "line 1: key needs exactly one character"},
        ErrorCase{"OccurrenceZero", "on \"A\" #0: \"B\"", "line 1: # counts from 1"},
        ErrorCase{"SilentWithReply", "on \"A\": silent \"B\"",
                  "line 1: 'silent' takes no other actions"},
        ErrorCase{"BaudZero", "baud 0", "line 1: baud must lie between 1 and 10000000"},
        ErrorCase{"EchoMaybe", "echo maybe", "line 1: echo is 'on' or 'off'"},
        ErrorCase{"TrailingText", "echo off now", "line 1: unexpected text after the statement"},
        ErrorCase{"MissingVoiceFile", "\non \"A\": voice-rx gone.raw",
                  "line 2: cannot read voice file /nonexistent/gone.raw"}),
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
    testing::Values(MatchCase{"ATD*", "ATD5551234", true}, MatchCase{"ATD*", "ATD", true},
                    MatchCase{"ATD*", "xATD1", false}, MatchCase{"AT*#VLS=*", "AT #VLS=2", true},
                    MatchCase{"*", "", true}, MatchCase{"", "", true}, MatchCase{"", "AT", false},
                    MatchCase{"A*B*C", "AxxBxxBxC", true}, MatchCase{"A*B", "AxBxC", false},
                    MatchCase{"*B", "BBB", true}, MatchCase{"ati3", "ATI3", false},
                    MatchCase{"ATI3", "ATI3 ", false},
                    MatchCase{"AT #CLS=8*", "AT #CLS=8 #VLS=0", true}));

}  // namespace
}  // namespace vmodem
