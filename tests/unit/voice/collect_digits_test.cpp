#include "voice/collect_digits.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "modem/command_engine.h"
#include "open_line.h"
#include "virtual_world.h"

namespace {

using namespace std::chrono_literals;

constexpr JobTime kStart = 10h;

struct EntryCase {
  const char* name;
  std::string modem;  // what the modem sends, as scenario actions, from the entry's start
  std::string digits;
  std::int16_t star_ended = 0;
  std::int16_t timed_out = 0;
  std::optional<std::chrono::milliseconds> returns_after = std::nullopt;
  std::string stop_code = "b";
  std::string first_digits = "";
};

class CollectDigitsTest : public testing::TestWithParam<EntryCase> {};

TEST_P(CollectDigitsTest, CollectsOneEntry) {
  const EntryCase& c = GetParam();
  VirtualWorld w("echo off\non \"AT KEYS\": " + c.modem + "\n", kStart);
  OpenLine(w);
  w.values.DigitTimeout = 20;
  w.values.StopCode = c.stop_code;
  w.values.Digits = c.first_digits;
  // Left over from an earlier entry: each entry starts afresh.
  w.values.StarEnded = 1;
  w.values.TimedOut = 1;
  CommandEngine& engine = w.engine;
  engine.Send("AT KEYS");

  DleDecoder dle;
  CollectDigits(engine, w.values, dle);

  EXPECT_EQ(w.values.Digits, c.digits);
  EXPECT_EQ(w.values.StarEnded, c.star_ended);
  EXPECT_EQ(w.values.TimedOut, c.timed_out);
  if (c.returns_after) {
    EXPECT_EQ(w.clock.Now() - kStart, *c.returns_after);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Entries, CollectDigitsTest,
    testing::Values(
        EntryCase{.name = "EndedByStar",
                  .modem = "wait 1000 key 1 wait 1000 key 2 wait 1000 key 3 wait 1000 key *",
                  .digits = "123*",
                  .star_ended = 1,
                  .returns_after = 4000ms},
        EntryCase{
            .name = "HashClears",
            .modem = "wait 500 key 1 wait 500 key 2 wait 500 key # wait 500 key 4 wait 500 key *",
            .digits = "4*",
            .star_ended = 1},
        EntryCase{.name = "LoneHashReturnsAtOnce",
                  .modem = "wait 1000 key # wait 500 key 5",
                  .digits = "#",
                  .returns_after = 1000ms},
        EntryCase{.name = "HashAfterAClearedEntryIsLone",
                  .modem = "key 1 key # wait 100 key #",
                  .digits = "#"},
        // The last digit came at 10:00:02; the wait ends when 10:00:22 has passed.
        EntryCase{.name = "SilenceAfterTwoDigits",
                  .modem = "wait 1000 key 1 wait 1000 key 2",
                  .digits = "12",
                  .timed_out = 1,
                  .returns_after = 23000ms},
        EntryCase{.name = "NoKeyAtAll",
                  .modem = "silent",
                  .digits = "",
                  .timed_out = 1,
                  .returns_after = 21000ms},
        EntryCase{.name = "EndedByStopCode",
                  .modem = "wait 500 key 1 wait 500 key 2 wait 500 key b",
                  .digits = "12b",
                  .star_ended = 1},
        EntryCase{.name = "OnlyTheJobsStopCodeEnds",
                  .modem = "key 1 key b key Z",
                  .digits = "1Z",
                  .star_ended = 1,
                  .stop_code = "Z"},
        EntryCase{.name = "IgnoredEventsKeepTheDeadline",
                  .modem = "wait 1000 key 1 wait 9000 key d wait 10000 key s wait 1500 key A",
                  .digits = "1",
                  .timed_out = 1,
                  .returns_after = 22000ms},
        EntryCase{.name = "ContinuesTheDigitAlreadyKeyed",
                  .modem = "wait 500 key 6 wait 500 key *",
                  .digits = "56*",
                  .star_ended = 1,
                  .first_digits = "5"},
        EntryCase{.name = "ReportSplitAcrossReads",
                  .modem = "wait 500 bytes \"\\x10\" wait 400 bytes \"8\" wait 100 key *",
                  .digits = "8*",
                  .star_ended = 1},
        // Seven stray bytes: taken two at a time they would swallow the DLE's partner.
        EntryCase{.name = "StrayBytesAroundReports",
                  .modem = "bytes \"garbage\" wait 100 key 3 bytes \"x\" wait 100 key *",
                  .digits = "3*",
                  .star_ended = 1}),
    [](const auto& info) { return info.param.name; });

}  // namespace
