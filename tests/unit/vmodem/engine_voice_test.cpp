#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vmodem/engine.h"
#include "vmodem/escape.h"

namespace vmodem {
namespace {

using namespace std::string_literals;

const std::string kConnect = "\r\nCONNECT\r\n";
const std::string kVcon = "\r\nVCON\r\n";

Engine MakeEngine(std::string_view text) {
  return Engine(ParseScenario(text, "."));
}

std::int64_t LogTime(const Engine& modem, std::string_view text) {
  for (const LogEntry& e : modem.Log()) {
    if (e.text == text) return e.ms;
  }
  return -1;
}

struct TransmitCase {
  const char* name;
  std::vector<std::string> chunks;  // sent after CONNECT, one Receive each
  std::vector<std::string> voice;
  std::string after_connect;  // what the modem sends back
};

class VoiceTransmitTest : public testing::TestWithParam<TransmitCase> {};

TEST_P(VoiceTransmitTest, EndsOnlyAtAnUnshieldedDleEtx) {
  const TransmitCase& c = GetParam();
  Engine modem = MakeEngine("echo off\non \"AT #VTX\": \"CONNECT\" voice-tx");
  modem.Receive("AT #VTX\r", 0);
  ASSERT_EQ(modem.TakeOutput(0), kConnect);
  for (const std::string& chunk : c.chunks) modem.Receive(chunk, 10);
  EXPECT_EQ(modem.VoiceData(), c.voice);
  EXPECT_EQ(modem.TakeOutput(10), c.after_connect);
}

INSTANTIATE_TEST_SUITE_P(Engine, VoiceTransmitTest,
                         testing::Values(TransmitCase{.name = "PlainEnd",
                                                      .chunks = {"abc\x10\x03"s},
                                                      .voice = {"abc\x10\x03"s},
                                                      .after_connect = kVcon},
                                         TransmitCase{.name = "ShieldedDleIsData",
                                                      .chunks = {"a\x10\x10\x03"s},
                                                      .voice = {"a\x10\x10\x03"s},
                                                      .after_connect = ""},
                                         TransmitCase{.name = "EndAfterShieldedDle",
                                                      .chunks = {"a\x10\x10\x03"
                                                                 "b\x10\x03"s},
                                                      .voice = {"a\x10\x10\x03"
                                                                "b\x10\x03"s},
                                                      .after_connect = kVcon},
                                         TransmitCase{.name = "EndSplitAcrossWrites",
                                                      .chunks = {"ab\x10"s, "\x03"s},
                                                      .voice = {"ab\x10\x03"s},
                                                      .after_connect = kVcon},
                                         TransmitCase{.name = "OtherDlePairsAreData",
                                                      .chunks = {"\x10s\x10\x03"s},
                                                      .voice = {"\x10s\x10\x03"s},
                                                      .after_connect = kVcon},
                                         TransmitCase{.name = "CommandModeAfterTheEnd",
                                                      .chunks = {"x\x10\x03"
                                                                 "AT\r"s},
                                                      .voice = {"x\x10\x03"s},
                                                      .after_connect = kVcon + "\r\nOK\r\n"s},
                                         TransmitCase{.name = "CommandTextIsData",
                                                      .chunks = {"AT\r"},
                                                      .voice = {"AT\r"},
                                                      .after_connect = ""}),
                         [](const auto& info) { return info.param.name; });

TEST(VoiceTransmit, KeyFollowsTheCountedByteByItsWait) {
  Engine modem =
      MakeEngine("echo off\non \"AT #VTX\": \"CONNECT\" voice-tx until-bytes 100 wait 50 key 5");
  modem.Receive("AT #VTX\r", 0);
  modem.Receive(std::string(60, 'v'), 10);
  EXPECT_EQ(modem.NextEventMs(), 10);  // CONNECT, not taken yet, is due now
  EXPECT_EQ(modem.TakeOutput(10), kConnect);
  EXPECT_EQ(modem.NextEventMs(), std::nullopt);
  modem.Receive(std::string(60, 'v'), 20);
  EXPECT_EQ(modem.NextEventMs(), 70);
  EXPECT_EQ(modem.TakeOutput(69), "");
  EXPECT_EQ(modem.TakeOutput(70),
            "\x10"
            "5");
  EXPECT_EQ(LogTime(modem, "key 5"), 70);
}

TEST(VoiceTransmit, KeysAfterTheEndOfTheMessage) {
  Engine modem = MakeEngine(
      "echo off\n"
      "on \"AT #VTX\" #1: \"CONNECT\" voice-tx until-end wait 800 key 1 wait 300 key *\n"
      "on \"AT #VTX\": \"CONNECT\" voice-tx\n");
  modem.Receive("AT #VTX\r", 0);
  modem.Receive("message\x10\x03"s, 1000);
  EXPECT_EQ(modem.TakeOutput(1799), kConnect + kVcon);
  EXPECT_EQ(modem.TakeOutput(1800),
            "\x10"
            "1");
  EXPECT_EQ(modem.TakeOutput(2100), "\x10*");
  EXPECT_EQ(LogTime(modem, "voice-tx end 9 bytes"), 1000);
}

TEST(VoiceTransmit, WaitsReachedOutsideATransmissionCountInTheNext) {
  Engine modem = MakeEngine(
      "echo off\n"
      "on \"ATD*\": \"VCON\" until-bytes 4 key 9\n"
      "on \"AT #VTX\": \"CONNECT\" voice-tx\n");
  modem.Receive("ATD1\r", 0);
  EXPECT_EQ(modem.TakeOutput(0), kVcon);
  modem.Receive("AT #VTX\r", 100);
  modem.Receive("abc", 200);
  EXPECT_EQ(modem.TakeOutput(200), kConnect);
  modem.Receive("d", 300);
  EXPECT_EQ(modem.TakeOutput(300),
            "\x10"
            "9");
}

TEST(VoiceTransmit, ATransmissionEndingShortReleasesTheCount) {
  Engine modem =
      MakeEngine("echo off\non \"AT #VTX\": \"CONNECT\" voice-tx until-bytes 5000 key b");
  modem.Receive("AT #VTX\r", 0);
  modem.Receive("ab\x10\x03"s, 40);
  EXPECT_EQ(modem.TakeOutput(40), kConnect + kVcon +
                                      "\x10"
                                      "b");
}

std::string Pattern(std::size_t size) {
  std::string data;
  for (std::size_t i = 0; i < size; ++i) data += static_cast<char>(i * 7);
  return data;
}

TEST(VoiceReceive, StreamsAtTheLineRate) {
  const std::string recording = Pattern(8000);
  Engine modem = MakeEngine("echo off\nbaud 38400\non \"AT #VRX\": \"CONNECT\" voice-rx " +
                            QuoteBytes(recording));
  modem.Receive("AT #VRX\r", 0);
  EXPECT_EQ(modem.TakeOutput(0), kConnect);
  EXPECT_EQ(modem.NextEventMs(), 10);
  std::string got = modem.TakeOutput(10);
  EXPECT_EQ(got.size(), 38u);  // 3840 bytes a second, in 10 ms chunks
  got += modem.TakeOutput(999);
  EXPECT_EQ(got.size(), 3801u);
  got += modem.TakeOutput(1000);
  EXPECT_EQ(got.size(), 3840u);
  got += modem.TakeOutput(2083);
  EXPECT_EQ(got.size(), 7987u);
  got += modem.TakeOutput(2090);
  EXPECT_EQ(got, recording);
  EXPECT_EQ(modem.NextEventMs(), std::nullopt);
  EXPECT_EQ(LogTime(modem, "voice-rx sent 8000 bytes"), 2090);
}

TEST(VoiceReceive, WithoutALineRateStreamsAtOnce) {
  Engine modem = MakeEngine(R"(on "AT #VRX": "CONNECT" voice-rx "ab\x10s")");
  modem.Receive("AT #VRX\r", 0);
  EXPECT_EQ(modem.TakeOutput(0), "AT #VRX\r"s + kConnect + "ab\x10s");
}

TEST(VoiceReceive, HostDleEtxStopsTheStreamAndHostBytesAreNoCommands) {
  Engine modem =
      MakeEngine("baud 38400\non \"AT #VRX\": \"CONNECT\" voice-rx " + QuoteBytes(Pattern(8000)));
  modem.Receive("AT #VRX\r", 0);
  modem.Receive("ATI3\r\x10\x10", 200);
  std::string got = modem.TakeOutput(500);
  modem.Receive("\x10\x03"s, 500);
  got += modem.TakeOutput(3000);
  const std::string expected = "AT #VRX\r"s + kConnect + Pattern(1920) + kVcon;
  EXPECT_EQ(got, expected);
  EXPECT_EQ(modem.NextEventMs(), std::nullopt);
  EXPECT_EQ(LogTime(modem, "voice-rx end"), 500);
  EXPECT_EQ(LogTime(modem, "command ATI3"), -1);
  // Back in command mode, with the echo as it was.
  modem.Receive("AT\r", 3000);
  EXPECT_EQ(modem.TakeOutput(3000), "AT\r\r\nOK\r\n");
}

TEST(VoiceModes, AV253ModemEndsTransmitWithEchoedEndAndOkAndReceiveOnlyAtDleBang) {
  Engine modem = MakeEngine(
      "echo off\ncommand-set v253\n"
      "on \"AT+VTX\": \"CONNECT\" voice-tx\non \"AT+VRX\": \"CONNECT\" voice-rx \"ab\\x10s\"");
  modem.Receive("AT+VTX\r\x10\x10\x10\x03"s, 0);
  EXPECT_EQ(modem.TakeOutput(0), kConnect + "\x10\x03\r\nOK\r\n");
  modem.Receive("AT+VRX\r\x10\x03"s, 10);
  EXPECT_EQ(modem.TakeOutput(10), kConnect + "ab\x10s");
  EXPECT_EQ(LogTime(modem, "voice-rx end"), -1);  // DLE ETX does not end a V.253 reception
  modem.Receive("\x10!"s, 20);
  EXPECT_EQ(modem.TakeOutput(20), "\x10\x03\r\nOK\r\n");
  EXPECT_EQ(LogTime(modem, "voice-rx end"), 20);
}

TEST(VoiceModes, AModeActionInsideAnotherModeIsIgnored) {
  Engine modem = MakeEngine(
      "echo off\n"
      "on \"AT #VTX\": \"CONNECT\" voice-tx wait 10 voice-rx \"xyz\" voice-tx");
  modem.Receive("AT #VTX\r", 0);
  EXPECT_EQ(modem.TakeOutput(50), kConnect);
  ASSERT_EQ(modem.VoiceData().size(), 1u);
  EXPECT_EQ(LogTime(modem, "voice-rx ignored: not in command mode"), 10);
}

}  // namespace
}  // namespace vmodem
