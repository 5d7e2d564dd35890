#include "fake_serial_control.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vmodem {
namespace {

using namespace std::chrono_literals;
using namespace std::string_literals;

// A serial control on a clock the test moves by hand.
struct Line {
  explicit Line(std::string_view scenario) : serial(scenario, [this] { return now; }) {}
  void Open() {
    ASSERT_TRUE(serial.SetCommPort(3));
    ASSERT_TRUE(serial.SetPortOpen(true));
  }
  SimTime now{0};
  FakeSerialControl serial;
};

struct PortCase {
  const char* name;
  std::vector<int> missing{};
  std::vector<int> busy{};
  int port;
  bool selected;
  bool opened;
};

class PortTest : public testing::TestWithParam<PortCase> {};

TEST_P(PortTest, SelectsAndOpensOnlyAnExistingFreePort) {
  const PortCase& c = GetParam();
  Line line("");
  for (const int port : c.missing) line.serial.MarkMissing(port);
  for (const int port : c.busy) line.serial.MarkBusy(port);
  EXPECT_EQ(line.serial.SetCommPort(c.port), c.selected);
  EXPECT_EQ(line.serial.SetPortOpen(true), c.opened);
  EXPECT_EQ(line.serial.PortOpen(), c.opened);
}

INSTANTIATE_TEST_SUITE_P(
    FakeSerialControl, PortTest,
    testing::Values(
        PortCase{.name = "Free", .port = 3, .selected = true, .opened = true},
        PortCase{.name = "First", .port = 1, .selected = true, .opened = true},
        PortCase{.name = "Last", .port = 9, .selected = true, .opened = true},
        PortCase{.name = "Zero", .port = 0, .selected = false, .opened = false},
        PortCase{.name = "Ten", .port = 10, .selected = false, .opened = false},
        PortCase{.name = "Missing", .missing = {4}, .port = 4, .selected = false, .opened = false},
        PortCase{
            .name = "OtherMissing", .missing = {4}, .port = 5, .selected = true, .opened = true},
        PortCase{.name = "Busy", .busy = {2}, .port = 2, .selected = true, .opened = false}),
    [](const auto& info) { return info.param.name; });

TEST(FakeSerialControl, PortChangesOnlyWhileClosedAndOpensOnce) {
  Line line("");
  line.Open();
  EXPECT_FALSE(line.serial.SetCommPort(4));
  EXPECT_FALSE(line.serial.SetPortOpen(true));
  line.now = 700ms;
  EXPECT_TRUE(line.serial.SetPortOpen(false));
  EXPECT_TRUE(line.serial.SetPortOpen(false));
  line.now = 3700ms;
  EXPECT_TRUE(line.serial.SetPortOpen(true));
  EXPECT_EQ(line.serial.History(), (std::vector<FakeSerialControl::PortEvent>{
                                       {0ms, true}, {700ms, false}, {3700ms, true}}));
}

TEST(FakeSerialControl, KeepsOnlySettingsThatParse) {
  Line line("");
  EXPECT_EQ(line.serial.Settings(), "9600,n,8,1");
  EXPECT_FALSE(line.serial.SetSettings("19200,n,9,1"));
  EXPECT_EQ(line.serial.Settings(), "9600,n,8,1");
  EXPECT_TRUE(line.serial.SetSettings("38400,N,8,2"));
  EXPECT_EQ(line.serial.Settings(), "38400,N,8,2");
}

TEST(FakeSerialControl, InputTakesAtMostInputLen) {
  Line line("echo off\non \"X\": \"ABCDEF\"");
  line.Open();
  EXPECT_EQ(line.serial.InBufferSize(), 32000);
  EXPECT_EQ(line.serial.OutBufferSize(), 32000);
  line.serial.Output("X\r");
  EXPECT_EQ(line.serial.InBufferCount(), 10);
  line.serial.SetInputLen(1);
  EXPECT_EQ(line.serial.Input(), "\r");
  line.serial.SetInputLen(2);
  EXPECT_EQ(line.serial.Input(), "\nA");
  line.serial.SetInputLen(0);
  EXPECT_EQ(line.serial.Input(), "BCDEF\r\n");
  EXPECT_EQ(line.serial.Input(), "");
}

TEST(FakeSerialControl, RepliesFallDueOnTheVirtualClock) {
  Line line("echo off\non \"ATD*\": wait 2500 \"BUSY\"");
  line.Open();
  line.serial.Output("ATD1\r");
  EXPECT_EQ(line.serial.NextEvent(), 2500ms);
  line.now = 2499ms;
  EXPECT_EQ(line.serial.InBufferCount(), 0);
  line.now = 2500ms;
  EXPECT_EQ(line.serial.Input(), "\r\nBUSY\r\n");
}

TEST(FakeSerialControl, WrittenBytesLeaveAtTheLineRate) {
  Line line("echo off\nbaud 38400\non \"AT #VTX\": \"CONNECT\" voice-tx until-bytes 1000 key 1");
  line.Open();
  line.serial.Output("AT #VTX\r");  // 8 bytes: gone after 3 ms
  EXPECT_EQ(line.serial.OutBufferCount(), 8);
  EXPECT_EQ(line.serial.NextEvent(), 1ms);
  line.now = 10ms;
  EXPECT_EQ(line.serial.OutBufferCount(), 0);
  EXPECT_EQ(line.serial.Input(), "\r\nCONNECT\r\n");

  line.serial.Output(std::string(2048, 'v'));
  EXPECT_EQ(line.serial.OutBufferCount(), 2048);
  EXPECT_EQ(line.serial.NextEvent(), 11ms);
  line.now = 110ms;
  EXPECT_EQ(line.serial.OutBufferCount(), 2048 - 384);
  // One jump of the clock still hands each byte over when it left: the 1000th byte left
  // at 10 + 260.4 ms, so the key came at 271.
  line.now = 600ms;
  EXPECT_EQ(line.serial.OutBufferCount(), 0);
  EXPECT_EQ(line.serial.Input(),
            "\x10"
            "1");
  const std::vector<LogEntry>& log = line.serial.Modem().Log();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back().text, "key 1");
  EXPECT_EQ(log.back().at, 271ms);
  EXPECT_EQ(line.serial.Modem().VoiceData(), std::vector<std::string>{std::string(2048, 'v')});
}

TEST(FakeSerialControl, DrainEndsWhenTheLastByteHasLeft) {
  Line line("echo off\nbaud 38400");
  line.Open();
  line.serial.Output(std::string(2048, 'v'));
  line.now = 533ms;  // 2048 bytes take 533.3 ms
  EXPECT_EQ(line.serial.OutBufferCount(), 2);
  EXPECT_EQ(line.serial.NextEvent(), 534ms);
  line.now = 534ms;
  EXPECT_EQ(line.serial.OutBufferCount(), 0);
  EXPECT_EQ(line.serial.NextEvent(), std::nullopt);
}

TEST(FakeSerialControl, ALockedUpModemLeavesWhatItDidNotTakeQueuedAndThePortOpen) {
  Line line("echo off\nbaud 38400\non \"AT #VTX\": \"CONNECT\" voice-tx until-bytes 100 lock-up");
  line.Open();
  line.serial.Output("AT #VTX\r");
  line.serial.Output(std::string(500, 'v'));
  line.now = 60'000ms;
  line.serial.Output("ATI3\r");
  EXPECT_EQ(line.serial.OutBufferCount(), 405);
  EXPECT_EQ(line.serial.NextEvent(), std::nullopt);
  EXPECT_EQ(line.serial.Input(), "\r\nCONNECT\r\n");
  EXPECT_FALSE(line.serial.Lost());
  EXPECT_EQ(line.serial.Modem().VoiceData(), std::vector<std::string>{std::string(100, 'v')});
}

TEST(FakeSerialControl, AClosedPortCarriesNothing) {
  Line line("echo off\nbaud 38400\non \"ATD*\": wait 1000 \"RINGING\"");
  line.Open();
  line.serial.Output("ATD1\r");
  line.serial.Output("\x10\x03"s);
  // Closing drains what was written, even bytes that had not left yet.
  ASSERT_TRUE(line.serial.SetPortOpen(false));
  EXPECT_EQ(line.serial.Modem().Transcript(), "ATD1\r\x10\x03"s);
  line.serial.Output("ATH0\r");
  line.now = 3000ms;
  ASSERT_TRUE(line.serial.SetPortOpen(true));
  EXPECT_EQ(line.serial.InBufferCount(), 0);  // the RINGING at 1000 went nowhere
  EXPECT_EQ(line.serial.Modem().Transcript(), "ATD1\r\x10\x03"s);
  EXPECT_EQ(line.serial.Writes(), (std::vector<std::string>{"ATD1\r", "\x10\x03"s, "ATH0\r"}));
}

}  // namespace
}  // namespace vmodem
