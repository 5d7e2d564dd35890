// A recording job greets the source with the stored message, takes what the modem streams at
// the line's pace and leaves it in the result file byte for byte, ended by DLE ETX. The stream
// holds every byte value, shielded DLE pairs among them, so nothing on the way may translate,
// drop or stop on data.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "support/e2e_job.h"
#include "vmodem/escape.h"

namespace {

constexpr char kDle = 16;
constexpr char kEtx = 3;
const std::string kDleEtx{kDle, kEtx};

// Voice data as the modem shields it: every byte value, each 16 doubled, and shielded pairs
// that a plain search would take for the end reports and the "*" key.
std::string Recording() {
  std::string data;
  for (int round = 0; round < 24; ++round) {
    for (int b = 0; b < 256; ++b) {
      data += static_cast<char>(b);
      if (b == kDle) data += kDle;
    }
    data += std::string{kDle, kDle, 's', kDle, kDle, 'q', kDle, kDle, '*'};
  }
  return data;
}

std::string Greeting() {
  return "greeting \x10\x10 bytes" + kDleEtx;
}

// The modem ends the stream with its end report; `ring` makes a call come in once it is set up.
std::string Scenario(const std::string& recording, bool ring) {
  return std::string("baud 38400\n") + "on \"ATI3\": \"VMODEM VOICE\" \"OK\"\n" +
         (ring ? "on \"AT #VSP=*\": \"OK\" wait 300 \"RING\"\n" : "") +
         "on \"ATA\": \"VCON\"\n"
         "on \"AT #VLS=*\": \"VCON\"\n"
         "on \"AT #VTX\": \"CONNECT\" voice-tx\n"
         "on \"AT #VRX\": \"CONNECT\" voice-rx " +
         vmodem::QuoteBytes(recording + std::string{kDle, 's'}) + "\n";
}

bool Contains(const std::vector<std::string>& list, const std::string& item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

struct SourceCase {
  const char* name;
  char source;
  std::vector<std::string> present;  // commands the modem must see
  std::vector<std::string> absent;
  std::string console_line;
};

class RecordingE2eTest : public testing::TestWithParam<SourceCase> {};

TEST_P(RecordingE2eTest, StoresWhatTheModemSent) {
  const SourceCase& c = GetParam();
  const std::string recording = Recording();
  E2eJob job(Scenario(recording, c.source == '0'));
  job.WriteFile("talvin_3", Greeting());

  const TalvoRun run = job.RunTalvo({std::string("00") + c.source + "N03"});

  EXPECT_EQ(run.exit_code, 0);
  const std::string stored = job.ReadFile("talvin_3");
  EXPECT_EQ(stored.size(), recording.size() + 2);
  EXPECT_TRUE(stored == recording + kDleEtx) << "the result file differs from the recording";
  EXPECT_TRUE(job.Exists("talvin2_3"));
  const std::string trace = job.ReadFile("trace_3");
  EXPECT_NE(trace.find("****  Recording mode  ****\r\n" + c.console_line + "\r\n"),
            std::string::npos)
      << trace;
  char count[64];
  std::snprintf(count, sizeof count, "****  Vocal message contains %06zu characters  ****",
                recording.size());
  EXPECT_NE(trace.find(count), std::string::npos) << trace;

  const auto voice = job.VoiceData();
  ASSERT_FALSE(voice.empty());
  EXPECT_EQ(voice.front(), Greeting());
  const auto commands = job.Log().Commands();
  for (const std::string& command : c.present) EXPECT_TRUE(Contains(commands, command)) << command;
  for (const std::string& command : c.absent) EXPECT_FALSE(Contains(commands, command)) << command;
  // The reception was ended by the job, after the end report.
  EXPECT_NE(job.Transcript().find("AT #VRX\r" + kDleEtx), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Sources, RecordingE2eTest,
    testing::Values(SourceCase{"Call",
                               '0',
                               {"ATA"},
                               {"AT L3", "AT #VLS=1", "AT #VLS=2"},
                               "****  Waiting for a telephone call  ****"},
                    SourceCase{"Handset",
                               '1',
                               {"AT L3", "AT #VLS=1"},
                               {"ATA", "AT #VLS=3"},
                               "****  Recording from the Handset  ****"},
                    SourceCase{"Speaker",
                               '7',
                               {"AT L3", "AT #VLS=2", "AT #VLS=3"},
                               {"ATA"},
                               "****  Recording from the modem speaker  ****"}),
    [](const testing::TestParamInfo<SourceCase>& info) { return info.param.name; });

}  // namespace
