#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vmodem/engine.h"
#include "vmodem/escape.h"

namespace vmodem {
namespace {

using namespace std::chrono_literals;

using namespace std::string_literals;

const std::string kConnect = "\r\nCONNECT\r\n";
const std::string kVcon = "\r\nVCON\r\n";

Engine MakeEngine(std::string_view text) {
  return Engine(ParseScenario(text, "."));
}

SimTime LogTime(const Engine& modem, std::string_view text) {
  for (const LogEntry& e : modem.Log()) {
    if (e.text == text) return e.at;
  }
  return SimTime(-1);
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
  modem.Receive("AT #VTX\r", 0ms);
  ASSERT_EQ(modem.TakeOutput(0ms), kConnect);
  for (const std::string& chunk : c.chunks) modem.Receive(chunk, 10ms);
  EXPECT_EQ(modem.VoiceData(), c.voice);
  EXPECT_EQ(modem.TakeOutput(10ms), c.after_connect);
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
  modem.Receive("AT #VTX\r", 0ms);
  modem.Receive(std::string(60, 'v'), 10ms);
  EXPECT_EQ(modem.NextEvent(), 10ms);  // CONNECT, not taken yet, is due now
  EXPECT_EQ(modem.TakeOutput(10ms), kConnect);
  EXPECT_EQ(modem.NextEvent(), std::nullopt);
  modem.Receive(std::string(60, 'v'), 20ms);
  EXPECT_EQ(modem.NextEvent(), 70ms);
  EXPECT_EQ(modem.TakeOutput(69ms), "");
  EXPECT_EQ(modem.TakeOutput(70ms),
            "\x10"
            "5");
  EXPECT_EQ(LogTime(modem, "key 5"), 70ms);
}

TEST(VoiceTransmit, KeysAfterTheEndOfTheMessage) {
  Engine modem = MakeEngine(
      "echo off\n"
      "on \"AT #VTX\" #1: \"CONNECT\" voice-tx until-end wait 800 key 1 wait 300 key *\n"
      "on \"AT #VTX\": \"CONNECT\" voice-tx\n");
  modem.Receive("AT #VTX\r", 0ms);
  modem.Receive("message\x10\x03"s, 1000ms);
  EXPECT_EQ(modem.TakeOutput(1799ms), kConnect + kVcon);
  EXPECT_EQ(modem.TakeOutput(1800ms),
            "\x10"
            "1");
  EXPECT_EQ(modem.TakeOutput(2100ms), "\x10*");
  EXPECT_EQ(LogTime(modem, "voice-tx end 9 bytes"), 1000ms);
}

TEST(VoiceTransmit, WaitsReachedOutsideATransmissionCountInTheNext) {
  Engine modem = MakeEngine(
      "echo off\n"
      "on \"ATD*\": \"VCON\" until-bytes 4 key 9\n"
      "on \"AT #VTX\": \"CONNECT\" voice-tx\n");
  modem.Receive("ATD1\r", 0ms);
  EXPECT_EQ(modem.TakeOutput(0ms), kVcon);
  modem.Receive("AT #VTX\r", 100ms);
  modem.Receive("abc", 200ms);
  EXPECT_EQ(modem.TakeOutput(200ms), kConnect);
  modem.Receive("d", 300ms);
  EXPECT_EQ(modem.TakeOutput(300ms),
            "\x10"
            "9");
}

TEST(VoiceTransmit, ATransmissionEndingShortReleasesTheCount) {
  Engine modem =
      MakeEngine("echo off\non \"AT #VTX\": \"CONNECT\" voice-tx until-bytes 5000 key b");
  modem.Receive("AT #VTX\r", 0ms);
  modem.Receive("ab\x10\x03"s, 40ms);
  EXPECT_EQ(modem.TakeOutput(40ms), kConnect + kVcon +
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
  modem.Receive("AT #VRX\r", 0ms);
  EXPECT_EQ(modem.TakeOutput(0ms), kConnect);
  EXPECT_EQ(modem.NextEvent(), 10ms);
  std::string got = modem.TakeOutput(10ms);
  EXPECT_EQ(got.size(), 38u);  // 3840 bytes a second, in 10 ms chunks
  got += modem.TakeOutput(999ms);
  EXPECT_EQ(got.size(), 3801u);
  got += modem.TakeOutput(1000ms);
  EXPECT_EQ(got.size(), 3840u);
  got += modem.TakeOutput(2083ms);
  EXPECT_EQ(got.size(), 7987u);
  got += modem.TakeOutput(2090ms);
  EXPECT_EQ(got, recording);
  EXPECT_EQ(modem.NextEvent(), std::nullopt);
  EXPECT_EQ(LogTime(modem, "voice-rx sent 8000 bytes"), 2090ms);
}

TEST(VoiceReceive, WithoutALineRateStreamsAtOnce) {
  Engine modem = MakeEngine(R"(on "AT #VRX": "CONNECT" voice-rx "ab\x10s")");
  modem.Receive("AT #VRX\r", 0ms);
  EXPECT_EQ(modem.TakeOutput(0ms), "AT #VRX\r"s + kConnect + "ab\x10s");
}

TEST(VoiceReceive, HostDleEtxStopsTheStreamAndHostBytesAreNoCommands) {
  Engine modem =
      MakeEngine("baud 38400\non \"AT #VRX\": \"CONNECT\" voice-rx " + QuoteBytes(Pattern(8000)));
  modem.Receive("AT #VRX\r", 0ms);
  modem.Receive("ATI3\r\x10\x10", 200ms);
  std::string got = modem.TakeOutput(500ms);
  modem.Receive("\x10\x03"s, 500ms);
  got += modem.TakeOutput(3000ms);
  const std::string expected = "AT #VRX\r"s + kConnect + Pattern(1920) + kVcon;
  EXPECT_EQ(got, expected);
  EXPECT_EQ(modem.NextEvent(), std::nullopt);
  EXPECT_EQ(LogTime(modem, "voice-rx end"), 500ms);
  EXPECT_EQ(LogTime(modem, "command ATI3"), -1ms);
  // Back in command mode, with the echo as it was.
  modem.Receive("AT\r", 3000ms);
  EXPECT_EQ(modem.TakeOutput(3000ms), "AT\r\r\nOK\r\n");
}

TEST(VoiceModes, AV253ModemEndsTransmitWithEchoedEndAndOkAndReceiveOnlyAtDleBang) {
  Engine modem = MakeEngine(
      "echo off\ncommand-set v253\n"
      "on \"AT+VTX\": \"CONNECT\" voice-tx\non \"AT+VRX\": \"CONNECT\" voice-rx \"ab\\x10s\"");
  modem.Receive("AT+VTX\r\x10\x10\x10\x03"s, 0ms);
  EXPECT_EQ(modem.TakeOutput(0ms), kConnect + "\x10\x03\r\nOK\r\n");
  modem.Receive("AT+VRX\r\x10\x03"s, 10ms);
  EXPECT_EQ(modem.TakeOutput(10ms), kConnect + "ab\x10s");
  EXPECT_EQ(LogTime(modem, "voice-rx end"), -1ms);  // DLE ETX does not end a V.253 reception
  modem.Receive("\x10!"s, 20ms);
  EXPECT_EQ(modem.TakeOutput(20ms), "\x10\x03\r\nOK\r\n");
  EXPECT_EQ(LogTime(modem, "voice-rx end"), 20ms);
}

TEST(VoiceModes, AModeActionInsideAnotherModeIsIgnored) {
  Engine modem = MakeEngine(
      "echo off\n"
      "on \"AT #VTX\": \"CONNECT\" voice-tx wait 10 voice-rx \"xyz\" voice-tx");
  modem.Receive("AT #VTX\r", 0ms);
  EXPECT_EQ(modem.TakeOutput(50ms), kConnect);
  ASSERT_EQ(modem.VoiceData().size(), 1u);
  EXPECT_EQ(LogTime(modem, "voice-rx ignored: not in command mode"), 10ms);
}

}  // namespace
}  // namespace vmodem
