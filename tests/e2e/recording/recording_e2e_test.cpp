// A recording job greets the caller with the stored message, takes what the modem streams at
// the line's pace and leaves it in the result file byte for byte, ended by DLE ETX. The stream
// holds every byte value, shielded DLE pairs among them, so nothing on the way may translate,
// drop or stop on data. The way to each source (call, handset, speaker) is checked command by
// command by the recording unit tests; the way of the data does not depend on the source.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/e2e_job.h"
#include "temp_dir.h"
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

// A call comes in once the modem is set up; the modem ends the stream with its end report.
std::string Scenario(const std::string& recording) {
  return "baud 38400\n"
         "on \"ATI3\": \"VMODEM VOICE\" \"OK\"\n"
         "on \"AT #VSP=*\": \"OK\" wait 300 \"RING\"\n"
         "on \"ATA\": \"VCON\"\n"
         "on \"AT #VLS=*\": \"VCON\"\n"
         "on \"AT #VTX\": \"CONNECT\" voice-tx\n"
         "on \"AT #VRX\": \"CONNECT\" voice-rx " +
         vmodem::QuoteBytes(recording + std::string{kDle, 's'}) + "\n";
}

bool Contains(const std::vector<std::string>& list, const std::string& item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

TEST(RecordingE2eTest, StoresWhatTheModemSentDuringACall) {
  const std::string recording = Recording();
  E2eJob job(Scenario(recording));
  job.WriteFile("talvin_3", Greeting());

  const TalvoRun run = job.RunTalvo({"000N03"});

  EXPECT_EQ(run.exit_code, 0);
  const std::string stored = job.ReadFile("talvin_3");
  EXPECT_EQ(stored.size(), recording.size() + 2);
  EXPECT_TRUE(stored == recording + kDleEtx) << "the result file differs from the recording";
  EXPECT_TRUE(job.Exists("talvin2_3"));
  const std::string trace = job.ReadFile("trace_3");
  EXPECT_NE(
      trace.find("****  Recording mode  ****\r\n****  Waiting for a telephone call  ****\r\n"),
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
  EXPECT_TRUE(Contains(commands, "ATA"));
  for (const std::string command : {"AT L3", "AT #VLS=1", "AT #VLS=2"}) {
    EXPECT_FALSE(Contains(commands, command)) << command;
  }
  // The reception was ended by the job, after the end report.
  EXPECT_NE(job.Transcript().find("AT #VRX\r" + kDleEtx), std::string::npos);
}

// The recording exceeds talvo's file size limit, the trace does not; in the trace's place
// stands a symlink out of the job's directory.
TEST(RecordingE2eTest, ARecordingThatCannotBeStoredLeavesNoResultAndTheJobCompletes) {
  const std::string recording = Recording();
  E2eJob job(Scenario(recording));
  job.WriteFile("talvin_3", Greeting());
  const TempDir outside("talvo-e2e-outside-");
  const std::filesystem::path target = outside.Path() / "trace";
  std::ofstream(target) << "not a trace";
  std::filesystem::create_symlink(target, job.Dir() / "trace_3");
  job.LimitFileSize(4096);

  EXPECT_EQ(job.RunTalvo({"000N03"}).exit_code, 0);

  EXPECT_FALSE(job.Exists("talvin_3"));
  EXPECT_EQ(job.ReadFile("talvin2_3"), "");
  EXPECT_TRUE(
      std::filesystem::is_regular_file(std::filesystem::symlink_status(job.Dir() / "trace_3")));
  const std::string trace = job.ReadFile("trace_3");
  EXPECT_NE(trace.find("****  Error Writing File  ****\r\n"), std::string::npos) << trace;
  EXPECT_TRUE(trace.ends_with("****  End of TAL_VO  ****  \r\n")) << trace;
  std::string kept;
  std::getline(std::ifstream(target), kept);
  EXPECT_EQ(kept, "not a trace");
  for (const auto& entry : std::filesystem::directory_iterator(job.Dir())) {
    EXPECT_FALSE(entry.path().filename().string().starts_with(".")) << entry.path();
  }
}

}  // namespace
