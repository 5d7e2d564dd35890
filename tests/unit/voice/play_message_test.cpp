#include "voice/play_message.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "modem/command_engine.h"
#include "open_line.h"
#include "virtual_world.h"

namespace {

using namespace std::chrono_literals;

const std::string kDleEtx = "\x10\x03";
const std::string kVtx = "AT #VTX\r";
const std::string kTone = "AT #VTS=[880,0,10]\r";

// Voice data free of DLE, so only its terminator ends the transmission.
std::string Message(std::size_t data_len) {
  std::string m;
  for (std::size_t i = 0; i < data_len; ++i) m += static_cast<char>('A' + i % 26);
  return m + kDleEtx;
}

// The modem at the line speed of a real call, so the message takes time to play.
std::string Modem(const std::string& during_message) {
  return "echo off\nbaud 38400\non \"AT #VTX\": \"CONNECT\" voice-tx " + during_message + "\n";
}

struct PlayCase {
  const char* name;
  std::size_t data_len;
  std::string during{};  // what the modem sends while it takes the message
  std::vector<std::size_t> pieces;
  bool stopped_early = false;
  std::string digits = "";
  std::int16_t star_ended = 0;
};

class PlayMessageTest : public testing::TestWithParam<PlayCase> {};

TEST_P(PlayMessageTest, PlaysInPiecesAndStopsOnKeys) {
  const PlayCase& c = GetParam();
  VirtualWorld w(Modem(c.during));
  OpenLine(w);
  const std::string message = Message(c.data_len);
  w.values.VoiceBuffer = message;
  w.values.VoiceLen = message.size();
  w.values.DigitTimeout = 0;
  w.values.RetryCount = 1;
  w.values.StarEnded = 1;

  DleDecoder dle;
  PlayMessage(w.modem, w.console, dle);

  std::vector<std::string> expected_writes = {kVtx};
  std::size_t at = 0;
  for (const std::size_t piece : c.pieces) {
    expected_writes.push_back(message.substr(at, piece));
    at += piece;
  }
  if (c.stopped_early) expected_writes.push_back(kDleEtx);
  expected_writes.push_back(kTone);
  EXPECT_EQ(w.serial.Writes(), expected_writes);

  const auto& voice = w.serial.Modem().VoiceData();
  ASSERT_EQ(voice.size(), 1u);
  EXPECT_EQ(voice[0], c.stopped_early ? message.substr(0, at) + kDleEtx : message);
  EXPECT_EQ(w.values.Digits, c.digits);
  EXPECT_EQ(w.values.StarEnded, c.star_ended);
  // A key during the message grants the full digit wait and fresh retries.
  EXPECT_EQ(w.values.DigitTimeout, c.stopped_early ? 20 : 0);
  EXPECT_EQ(w.values.RetryCount, c.stopped_early ? 3 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, PlayMessageTest,
    testing::Values(
        PlayCase{.name = "TerminatorOnly", .data_len = 0, .pieces = {2}},
        PlayCase{.name = "ExactlyOnePieceHasNoKeyCheck",
                 .data_len = 2046,
                 .during = "until-bytes 10 key *",
                 .pieces = {2048}},
        PlayCase{.name = "SeveralPieces", .data_len = 5000, .pieces = {2048, 2048, 906}},
        PlayCase{.name = "StarStops",
                 .data_len = 10000,
                 .during = "until-bytes 3000 key *",
                 .pieces = {2048, 2048, 2048},
                 .stopped_early = true,
                 .digits = "*",
                 .star_ended = 1},
        PlayCase{.name = "HashStops",
                 .data_len = 10000,
                 .during = "until-bytes 3000 key #",
                 .pieces = {2048, 2048, 2048},
                 .stopped_early = true,
                 .digits = "#"},
        PlayCase{.name = "StopCodeStops",
                 .data_len = 10000,
                 .during = "until-bytes 100 key b",
                 .pieces = {2048, 2048},
                 .stopped_early = true,
                 .digits = "b"},
        // The entry is taken before the message is ended, with the transmission still open.
        PlayCase{.name = "DigitStartsAnEntry",
                 .data_len = 10000,
                 .during = "until-bytes 3000 key 4 wait 1000 key 2 wait 1000 key *",
                 .pieces = {2048, 2048, 2048},
                 .stopped_early = true,
                 .digits = "42*",
                 .star_ended = 1},
        PlayCase{.name = "DigitThenSilenceKeepsTheDigit",
                 .data_len = 10000,
                 .during = "until-bytes 3000 key 4",
                 .pieces = {2048, 2048, 2048},
                 .stopped_early = true,
                 .digits = "4"},
        PlayCase{.name = "OtherEventsDoNotStop",
                 .data_len = 10000,
                 .during = "until-bytes 3000 key d until-bytes 5000 key s",
                 .pieces = {2048, 2048, 2048, 2048, 1810}},
        PlayCase{.name = "ReportSplitAcrossChecks",
                 .data_len = 10000,
                 .during = "until-bytes 3000 bytes \"\\x10\" until-bytes 5000 bytes \"#\"",
                 .pieces = {2048, 2048, 2048, 2048},
                 .stopped_early = true,
                 .digits = "#"},
        PlayCase{.name = "KeyDuringTheLastPieceIsNotLookedAt",
                 .data_len = 5000,
                 .during = "until-bytes 4500 key *",
                 .pieces = {2048, 2048, 906}}),
    [](const auto& info) { return info.param.name; });

TEST(PlayMessageTest, ReportsTheMessageThenEndsWithTheAttentionTone) {
  VirtualWorld w(Modem(""));
  OpenLine(w);
  const std::string message = Message(5000);
  w.values.VoiceBuffer = message;
  w.values.VoiceLen = message.size();

  DleDecoder dle;
  PlayMessage(w.modem, w.console, dle);

  EXPECT_EQ(w.console.Text(),
            "****  Vocal message contains 005002 characters  ****\r\n"
            "****  End of Voice Transmit  **** \r\n");
  EXPECT_EQ(w.serial.Modem().Transcript(), kVtx + message + kTone);
}

TEST(PlayMessageTest, AnEarlyStopInsideAShieldedDleStillEndsTheTransmission) {
  VirtualWorld w(Modem("until-bytes 100 key *"));
  OpenLine(w);
  std::string message = Message(10000);
  // A data byte 16, shielded as DLE DLE, straddles the end of the second piece.
  message[4095] = '\x10';
  message[4096] = '\x10';
  w.values.VoiceBuffer = message;
  w.values.VoiceLen = message.size();

  DleDecoder dle;
  PlayMessage(w.modem, w.console, dle);

  EXPECT_EQ(w.serial.Writes().at(3), "\x10" + kDleEtx);
  const auto& voice = w.serial.Modem().VoiceData();
  ASSERT_EQ(voice.size(), 1u);
  EXPECT_EQ(voice[0], message.substr(0, 4096) + "\x10" + kDleEtx);
  // The modem left voice transmit at once: no reply time-out was waited out.
  EXPECT_LT(w.clock.Now() - 10h, 5000ms);
  EXPECT_EQ(w.values.Digits, "*");
}

}  // namespace
