#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vmodem/engine.h"

namespace vmodem {
namespace {

using namespace std::chrono_literals;

Engine MakeEngine(std::string_view text) {
  return Engine(ParseScenario(text, "."));
}

// Sends each command at `t`, one after the other, and collects what the modem sends meanwhile.
std::string Exchange(Engine& modem, const std::vector<std::string>& lines, SimTime t = {}) {
  std::string out;
  for (const std::string& line : lines) {
    modem.Receive(line, t);
    out += modem.TakeOutput(t);
  }
  return out;
}

struct AnswerCase {
  const char* name;
  const char* scenario;
  std::vector<std::string> sent;
  std::string answer;
};

class AnswerTest : public testing::TestWithParam<AnswerCase> {};

TEST_P(AnswerTest, AnswersByTheFirstMatchingRule) {
  const AnswerCase& c = GetParam();
  Engine modem = MakeEngine(std::string("echo off\n") + c.scenario);
  EXPECT_EQ(Exchange(modem, c.sent), c.answer);
}

INSTANTIATE_TEST_SUITE_P(
    Engine, AnswerTest,
    testing::Values(
        AnswerCase{.name = "UnknownCommandGetsOk",
                   .scenario = "",
                   .sent = {"AT&F\r"},
                   .answer = "\r\nOK\r\n"},
        AnswerCase{.name = "SilentRule",
                   .scenario = "on \"ATH*\": silent",
                   .sent = {"ATH0\r"},
                   .answer = ""},
        AnswerCase{.name = "EmptyRule",
                   .scenario = "on \"ATH*\":",
                   .sent = {"ATH0\r", "AT\r"},
                   .answer = "\r\nOK\r\n"},
        AnswerCase{.name = "FirstMatchWins",
                   .scenario = "on \"AT*\": \"first\"\non \"ATI3\": \"second\"",
                   .sent = {"ATI3\r"},
                   .answer = "\r\nfirst\r\n"},
        AnswerCase{.name = "SeveralLines",
                   .scenario = "on \"ATI3\": \"VMODEM\" \"OK\"",
                   .sent = {"ATI3\r"},
                   .answer = "\r\nVMODEM\r\n\r\nOK\r\n"},
        AnswerCase{.name = "NthOccurrence",
                   .scenario = "on \"AT #VTX\" #2: \"second\"\non \"AT #VTX\": \"other\"",
                   .sent = {"AT #VTX\r", "AT #VTX\r", "AT #VTX\r"},
                   .answer = "\r\nother\r\n\r\nsecond\r\n\r\nother\r\n"},
        // The dial pattern counts ATD1 although another rule answered it.
        AnswerCase{.name = "OccurrencesCountPerPattern",
                   .scenario = "on \"ATD1\": \"one\"\non \"ATD*\" #2: \"second dial\"",
                   .sent = {"ATD1\r", "ATD2\r"},
                   .answer = "\r\none\r\n\r\nsecond dial\r\n"},
        AnswerCase{.name = "ControlCharactersLeftOut",
                   .scenario = "on \"ATI3\": \"id\"",
                   .sent = {std::string("\x10\x03"
                                        "AT\nI3\r")},
                   .answer = "\r\nid\r\n"},
        AnswerCase{.name = "LineSplitAcrossWrites",
                   .scenario = "on \"ATI3\": \"id\"",
                   .sent = {"AT", "I", "3\r"},
                   .answer = "\r\nid\r\n"},
        AnswerCase{
            .name = "EmptyLineIgnored", .scenario = "", .sent = {"\r", "\r\n"}, .answer = ""},
        AnswerCase{.name = "RawBytesAndKeys",
                   .scenario = R"(on "X": bytes "\x10s" key 5)",
                   .sent = {"X\r"},
                   .answer = std::string("\x10s\x10"
                                         "5")}),
    [](const auto& info) { return info.param.name; });

struct EchoCase {
  const char* name;
  const char* scenario;
  std::vector<std::string> sent;
  std::string out;
};

class EchoTest : public testing::TestWithParam<EchoCase> {};

TEST_P(EchoTest, EchoesWhileOn) {
  const EchoCase& c = GetParam();
  Engine modem = MakeEngine(c.scenario);
  EXPECT_EQ(Exchange(modem, c.sent), c.out);
}

INSTANTIATE_TEST_SUITE_P(
    Engine, EchoTest,
    testing::Values(
        EchoCase{.name = "OnByDefault", .scenario = "", .sent = {"AT\r"}, .out = "AT\r\r\nOK\r\n"},
        EchoCase{.name = "AsTyped", .scenario = "", .sent = {"A", "T"}, .out = "AT"},
        EchoCase{
            .name = "OffByScenario", .scenario = "echo off", .sent = {"AT\r"}, .out = "\r\nOK\r\n"},
        EchoCase{.name = "E0AfterItsOwnEcho",
                 .scenario = "",
                 .sent = {"ATE0\r", "AT\r"},
                 .out = "ATE0\r\r\nOK\r\n\r\nOK\r\n"},
        EchoCase{.name = "E1InTheInitString",
                 .scenario = "echo off",
                 .sent = {"AT E1 H0 L0 S6=15 S7=60 &K3\r", "AT\r"},
                 .out = "\r\nOK\r\nAT\r\r\nOK\r\n"},
        EchoCase{.name = "LaterSettingWins",
                 .scenario = "echo off",
                 .sent = {"ATE0E1\r", "AT\r"},
                 .out = "\r\nOK\r\nAT\r\r\nOK\r\n"}),
    [](const auto& info) { return info.param.name; });

TEST(EngineTimeline, RunsEachCommandsActionsOnItsOwnTimeline) {
  Engine modem = MakeEngine(
      "echo off\n"
      "on \"ATD*\": wait 500 \"RINGING\" wait 2000 \"VCON\"\n"
      "on \"ATX\": wait 700 \"X\"\n");
  modem.Receive("ATD1\r", 0ms);
  EXPECT_EQ(modem.NextEvent(), 500ms);
  modem.Receive("ATX\r", 100ms);
  EXPECT_EQ(modem.TakeOutput(499ms), "");
  EXPECT_EQ(modem.NextEvent(), 500ms);
  EXPECT_EQ(modem.TakeOutput(500ms), "\r\nRINGING\r\n");
  EXPECT_EQ(modem.NextEvent(), 800ms);
  // Output that fell due long ago comes out in the order it fell due.
  EXPECT_EQ(modem.TakeOutput(5000ms), "\r\nX\r\n\r\nVCON\r\n");
  EXPECT_EQ(modem.NextEvent(), std::nullopt);

  std::vector<std::string> log;
  for (const LogEntry& e : modem.Log()) log.push_back(std::to_string(e.at.count()) + " " + e.text);
  EXPECT_EQ(log, (std::vector<std::string>{"0 command ATD1", "100 command ATX", "500 sent RINGING",
                                           "800 sent X", "2500 sent VCON"}));
  EXPECT_EQ(modem.Transcript(), "ATD1\rATX\r");
}

TEST(EngineTimeline, PendingOutputIsDueAtOnce) {
  Engine modem = MakeEngine("");
  modem.Receive("A", 40ms);
  EXPECT_EQ(modem.NextEvent(), 40ms);
  EXPECT_EQ(modem.TakeOutput(40ms), "A");
  EXPECT_EQ(modem.NextEvent(), std::nullopt);
}

}  // namespace
}  // namespace vmodem
