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
  std::string rules;  // scenario rules ahead of the plain voice transmit
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
      : w("echo off\nbaud 38400\n" + rules + "on \"AT #VTX\": \"CONNECT\" voice-tx\n"),
        engine(w.ctx),
        endings(w.ctx, engine) {
    OpenLine(w);
    w.values.JobId = "3";
    w.values.VoiceBuffer = Message();
    w.values.VoiceLen = w.values.VoiceBuffer.size();
  }

  void Run() {
    w.RunToEnd([this] { RunPlayback(w.ctx, engine, endings); });
  }

  int Plays() {
    int plays = 0;
    for (const std::string& data : w.serial.Modem().VoiceData()) plays += data.starts_with("M");
    return plays;
  }

  VirtualWorld w;
  CommandEngine engine;
  JobEndings endings;
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
        PlaybackCase{"OnePlayAllowed", "", "b", 1, "5551234", 1, 3, 0},
        PlaybackCase{"NoPlayAllowed", "", "b", 0, "5551234", 0, 3, 0},
        PlaybackCase{"RetriesRunOut", "", "b", 2, "5551234", 10, 2, 0},
        PlaybackCase{"RetriesStartingAtZeroNeverRunOut", "", "b", 4, "5551234", 4, 0, 0},
        PlaybackCase{"SpeakerWithDigitWaitEndsAfterOnePlay", "", "*", 1, "SPEAKER"},
        PlaybackCase{"SpeakerWithoutDigitWaitPlaysUntilRetriesRunOut", "", "b", 3, "SPEAKER", 10, 3,
                     0},
        PlaybackCase{"EntryAfterTheMessage",
                     KeysAfter(2, "wait 800 key 1 wait 300 key 2 wait 300 key 3 wait 300 key *"),
                     "123*", 1},
        // The partial entry counts as an attempt without a usable key.
        PlaybackCase{"PartialEntryAfterTheMessageIsDiscarded",
                     KeysAfter(2, "wait 800 key 1 wait 300 key 2") +
                         KeysAfter(4, "wait 800 key 9 wait 300 key *"),
                     "9*", 2, "5551234", 10, 2},
        PlaybackCase{"PartialEntryAfterTheMessageUsesARetry", KeysAfter(2, "wait 800 key 1"), "b",
                     1, "5551234", 10, 1},
        PlaybackCase{"PartialEntryDuringTheMessageIsKept", KeysDuringFirstPlay("key 5"), "5", 1,
                     "5551234", 10, 3, 0},
        // The modem's DLE came in the message's last key check, its key after the message.
        PlaybackCase{"KeyReportSplitBetweenPlayAndKeyWait",
                     KeysDuringFirstPlay("bytes \"\\x10\"") +
                         KeysAfter(2, "wait 800 bytes \"5\" wait 300 key *"),
                     "5*", 1},
        PlaybackCase{"EntryDuringTheMessage",
                     KeysDuringFirstPlay("key 4 wait 500 key 2 wait 500 key *"), "42*", 1},
        PlaybackCase{"StopCodeDuringTheMessage", KeysDuringFirstPlay("key Z"), "Z", 1, "5551234",
                     10, 3, 0, 0, "Z"},
        // "#" uses up a play but no retry, and keying grants the digit wait afterwards.
        PlaybackCase{"HashDuringTheMessagePlaysAgain",
                     KeysDuringFirstPlay("key #") + KeysAfter(3, "wait 500 key 4 wait 300 key *"),
                     "4*", 2, "5551234", 3, 1, 0},
        PlaybackCase{"LoneHashAfterTheMessagePlaysAgain",
                     KeysAfter(2, "wait 500 key #") + KeysAfter(4, "wait 500 key 6 wait 300 key *"),
                     "6*", 2, "5551234", 2, 1},
        PlaybackCase{"ReadBackConfirmed",
                     KeysAfter(2, "wait 500 key 1 wait 300 key 2 wait 300 key 3 wait 300 key *") +
                         KeysAfter(3, "wait 500 key 9 wait 300 key *"),
                     "123*", 1, "5551234", 10, 3, 20, 1},
        PlaybackCase{"ReadBackConfirmedByStopCodeAlone",
                     KeysAfter(2, "wait 500 key 7 wait 300 key *") + KeysAfter(3, "wait 500 key b"),
                     "7*", 1, "5551234", 10, 3, 20, 1},
        PlaybackCase{"ReadBackTimedOutPlaysAgain",
                     KeysAfter(2, "wait 500 key 1 wait 300 key *") +
                         KeysAfter(5, "wait 500 key 8 wait 300 key *") +
                         KeysAfter(6, "wait 500 key *"),
                     "8*", 2, "5551234", 2, 3, 20, 1},
        PlaybackCase{"ReadBackRejectedByLoneHashWithNoPlayLeft",
                     KeysAfter(2, "wait 500 key 1 wait 300 key *") + KeysAfter(3, "wait 500 key #"),
                     "b", 1, "5551234", 1, 3, 20, 1},
        // Only an entry ended by "*" or StopCode is read back; a lone "#" plays again.
        PlaybackCase{"LoneHashIsNotReadBack",
                     KeysAfter(2, "wait 500 key #") +
                         KeysAfter(4, "wait 500 key 5 wait 300 key *") +
                         KeysAfter(5, "wait 500 key *"),
                     "5*", 2, "5551234", 2, 3, 20, 1}),
    [](const auto& info) { return info.param.name; });

}  // namespace
