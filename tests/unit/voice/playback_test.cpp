#include "voice/playback.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "job/job_endings.h"
#include "modem/command_engine.h"
#include "open_line.h"
#include "virtual_world.h"

namespace {

const std::string kDleEtx = "\x10\x03";

// Voice data that starts with "M", so a play of it is told apart from prompts ("<...>").
std::string Message() {
  return "M" + std::string(19999, 'm') + kDleEtx;
}

struct PlaybackCase {
  const char* name;
  std::string rules{};  // scenario rules ahead of the plain voice transmit
  std::string marker;
  int plays;
  std::string target = "5551234";
  std::int16_t play_count = 10;
  std::int16_t retry_count = 3;
  std::int16_t digit_timeout = 20;
  std::int16_t read_back = 0;
  std::string stop_code = "b";
};

// A job connected to its called party, run from the playback loop to its end.
class PlaybackJob {
 public:
  explicit PlaybackJob(const std::string& rules)
      : w("echo off\nbaud 38400\n" + rules + "on \"AT #VTX\": \"CONNECT\" voice-tx\n") {
    OpenLine(w);
    w.values.JobId = "3";
    w.values.VoiceBuffer = Message();
    w.values.VoiceLen = w.values.VoiceBuffer.size();
  }

  void Run() {
    w.RunToEnd([this] { RunPlayback(w.modem, w.console, w.Dir(), w.endings); });
  }

  int Plays() {
    int plays = 0;
    for (const std::string& data : w.serial.Modem().VoiceData()) plays += data.starts_with("M");
    return plays;
  }

  VirtualWorld w;
  CommandEngine& engine = w.engine;
};

// Keys the called party presses once voice transmission `n` has ended.
std::string KeysAfter(int n, const std::string& keys) {
  return "on \"AT #VTX\" #" + std::to_string(n) + ": \"CONNECT\" voice-tx until-end " + keys + "\n";
}

// Keys the called party presses while the first message plays.
std::string KeysDuringFirstPlay(const std::string& keys) {
  return "on \"AT #VTX\" #1: \"CONNECT\" voice-tx until-bytes 3000 " + keys + "\n";
}

class PlaybackLoopTest : public testing::TestWithParam<PlaybackCase> {};

TEST_P(PlaybackLoopTest, EndsWithTheDigitsMarker) {
  const PlaybackCase& c = GetParam();
  PlaybackJob job(c.rules);
  JobValues& v = job.w.values;
  v.PlayTarget = c.target;
  v.PlayCount = c.play_count;
  v.RetryCount = c.retry_count;
  v.DigitTimeout = c.digit_timeout;
  v.ReadBack = c.read_back;
  v.StopCode = c.stop_code;

  job.Run();

  EXPECT_EQ(job.w.ReadFile("talvin_3"), "$" + c.marker + "$\r\n");
  EXPECT_EQ(job.Plays(), c.plays);
  EXPECT_TRUE(job.w.Exists("talvin2_3"));
}

INSTANTIATE_TEST_SUITE_P(
    Jobs, PlaybackLoopTest,
    testing::Values(
        PlaybackCase{.name = "OnePlayAllowed",
                     .marker = "b",
                     .plays = 1,
                     .play_count = 1,
                     .digit_timeout = 0},
        PlaybackCase{.name = "NoPlayAllowed",
                     .marker = "b",
                     .plays = 0,
                     .play_count = 0,
                     .digit_timeout = 0},
        PlaybackCase{.name = "RetriesRunOut",
                     .marker = "b",
                     .plays = 2,
                     .retry_count = 2,
                     .digit_timeout = 0},
        PlaybackCase{.name = "RetriesStartingAtZeroNeverRunOut",
                     .marker = "b",
                     .plays = 4,
                     .play_count = 4,
                     .retry_count = 0,
                     .digit_timeout = 0},
        PlaybackCase{.name = "SpeakerWithDigitWaitEndsAfterOnePlay",
                     .marker = "*",
                     .plays = 1,
                     .target = "SPEAKER"},
        PlaybackCase{.name = "SpeakerWithoutDigitWaitPlaysUntilRetriesRunOut",
                     .marker = "b",
                     .plays = 3,
                     .target = "SPEAKER",
                     .digit_timeout = 0},
        PlaybackCase{
            .name = "EntryAfterTheMessage",
            .rules = KeysAfter(2, "wait 800 key 1 wait 300 key 2 wait 300 key 3 wait 300 key *"),
            .marker = "123*",
            .plays = 1},
        // The partial entry counts as an attempt without a usable key.
        PlaybackCase{.name = "PartialEntryAfterTheMessageIsDiscarded",
                     .rules = KeysAfter(2, "wait 800 key 1 wait 300 key 2") +
                              KeysAfter(4, "wait 800 key 9 wait 300 key *"),
                     .marker = "9*",
                     .plays = 2,
                     .retry_count = 2},
        PlaybackCase{.name = "PartialEntryAfterTheMessageUsesARetry",
                     .rules = KeysAfter(2, "wait 800 key 1"),
                     .marker = "b",
                     .plays = 1,
                     .retry_count = 1},
        PlaybackCase{.name = "PartialEntryDuringTheMessageIsKept",
                     .rules = KeysDuringFirstPlay("key 5"),
                     .marker = "5",
                     .plays = 1,
                     .digit_timeout = 0},
        // The modem's DLE came in the message's last key check, its key after the message.
        PlaybackCase{.name = "KeyReportSplitBetweenPlayAndKeyWait",
                     .rules = KeysDuringFirstPlay("bytes \"\\x10\"") +
                              KeysAfter(2, "wait 800 bytes \"5\" wait 300 key *"),
                     .marker = "5*",
                     .plays = 1},
        PlaybackCase{.name = "EntryDuringTheMessage",
                     .rules = KeysDuringFirstPlay("key 4 wait 500 key 2 wait 500 key *"),
                     .marker = "42*",
                     .plays = 1},
        PlaybackCase{.name = "StopCodeDuringTheMessage",
                     .rules = KeysDuringFirstPlay("key Z"),
                     .marker = "Z",
                     .plays = 1,
                     .digit_timeout = 0,
                     .stop_code = "Z"},
        // "#" uses up a play but no retry, and keying grants the digit wait afterwards.
        PlaybackCase{
            .name = "HashDuringTheMessagePlaysAgain",
            .rules = KeysDuringFirstPlay("key #") + KeysAfter(3, "wait 500 key 4 wait 300 key *"),
            .marker = "4*",
            .plays = 2,
            .play_count = 3,
            .retry_count = 1,
            .digit_timeout = 0},
        PlaybackCase{
            .name = "LoneHashAfterTheMessagePlaysAgain",
            .rules = KeysAfter(2, "wait 500 key #") + KeysAfter(4, "wait 500 key 6 wait 300 key *"),
            .marker = "6*",
            .plays = 2,
            .play_count = 2,
            .retry_count = 1},
        PlaybackCase{
            .name = "ReadBackConfirmed",
            .rules = KeysAfter(2, "wait 500 key 1 wait 300 key 2 wait 300 key 3 wait 300 key *") +
                     KeysAfter(3, "wait 500 key 9 wait 300 key *"),
            .marker = "123*",
            .plays = 1,
            .read_back = 1},
        PlaybackCase{
            .name = "ReadBackConfirmedByStopCodeAlone",
            .rules = KeysAfter(2, "wait 500 key 7 wait 300 key *") + KeysAfter(3, "wait 500 key b"),
            .marker = "7*",
            .plays = 1,
            .read_back = 1},
        PlaybackCase{.name = "ReadBackTimedOutPlaysAgain",
                     .rules = KeysAfter(2, "wait 500 key 1 wait 300 key *") +
                              KeysAfter(5, "wait 500 key 8 wait 300 key *") +
                              KeysAfter(6, "wait 500 key *"),
                     .marker = "8*",
                     .plays = 2,
                     .play_count = 2,
                     .read_back = 1},
        PlaybackCase{
            .name = "ReadBackRejectedByLoneHashWithNoPlayLeft",
            .rules = KeysAfter(2, "wait 500 key 1 wait 300 key *") + KeysAfter(3, "wait 500 key #"),
            .marker = "b",
            .plays = 1,
            .play_count = 1,
            .read_back = 1},
        // Only an entry ended by "*" or StopCode is read back; a lone "#" plays again.
        PlaybackCase{.name = "LoneHashIsNotReadBack",
                     .rules = KeysAfter(2, "wait 500 key #") +
                              KeysAfter(4, "wait 500 key 5 wait 300 key *") +
                              KeysAfter(5, "wait 500 key *"),
                     .marker = "5*",
                     .plays = 2,
                     .play_count = 2,
                     .read_back = 1}),
    [](const auto& info) { return info.param.name; });

}  // namespace
