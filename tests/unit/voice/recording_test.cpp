#include "voice/recording.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "job/job_endings.h"
#include "modem/command_engine.h"
#include "virtual_world.h"
#include "vmodem/escape.h"

namespace {

constexpr char kDle = 16;
const std::string kDleEtx = "\x10\x03";
const std::string kSettings = "AT #VSP=15 #VSD=1  #VSS=2";
const std::string kTone = "AT #VTS=[880,0,10]";
const std::string kGreeting = "hello" + kDleEtx;

// Voice data of every byte value but 16, so it holds no DLE sequence by chance.
std::string Data(std::size_t len, int salt = 0) {
  std::string data;
  for (std::size_t i = 0; i < len; ++i) {
    const char c = static_cast<char>((i * 7 + salt) % 256);
    data += c == kDle ? 'x' : c;
  }
  return data;
}

std::string Mark(char code) {
  return std::string{kDle, code};
}
const std::string kShield{kDle, kDle};

// A modem that answers every step of a recording; `rx` is what it does after "AT #VRX".
// `first` comes before the common rules and wins over them.
std::string Modem(const std::string& rx, const std::string& first = "") {
  return first +
         "on \"ATA\": \"VCON\"\n"
         "on \"AT #VLS=*\": \"VCON\"\n"
         "on \"AT #VTX\": \"CONNECT\" voice-tx\n"
         "on \"AT #VRX\": \"CONNECT\" " +
         rx + "\n";
}

// A call comes in long after the modem is ready, past several reply time-outs.
const std::string kLateRing = "on \"AT #VSP=*\": \"OK\" wait 40000 \"RING\"\n";

// The modem streams each read as its own burst, 100 ms apart.
std::string InReads(const std::vector<std::string>& reads) {
  std::string rx;
  for (const std::string& read : reads) {
    rx += rx.empty() ? "voice-rx " : " wait 100 bytes ";
    rx += vmodem::QuoteBytes(read);
  }
  return rx;
}

void Prepare(VirtualWorld& w, const std::string& source) {
  w.values.JobId = "3";
  w.values.SourceCode = source;
  w.values.VoiceBuffer.assign(LGR_BUF_VOICE, '\0');
  w.values.VoiceBuffer.replace(0, kGreeting.size(), kGreeting);
  w.values.VoiceLen = kGreeting.size();
  w.serial.SetCommPort(3);
  w.serial.SetPortOpen(true);
}

void RunJob(VirtualWorld& w) {
  w.RunToEnd([&w] { RunRecording(w.modem, w.console, w.Dir(), w.endings, false); });
}

struct Command {
  JobTime at;
  std::string text;
  bool operator==(const Command&) const = default;
};

std::vector<Command> Commands(VirtualWorld& w) {
  std::vector<Command> commands;
  for (const auto& entry : w.serial.Modem().Log()) {
    if (entry.text.starts_with("command ")) commands.push_back({entry.at, entry.text.substr(8)});
  }
  return commands;
}

std::vector<std::string> CommandTexts(VirtualWorld& w) {
  std::vector<std::string> texts;
  for (const Command& c : Commands(w)) texts.push_back(c.text);
  return texts;
}

std::string CountLine(std::size_t len) {
  std::string digits = std::to_string(len);
  if (digits.size() < 6) digits.insert(0, 6 - digits.size(), '0');
  return "****  Vocal message contains " + digits + " characters  ****\r\n";
}

struct ReceptionCase {
  const char* name;
  std::vector<std::string> reads;
  std::string recording;  // what the result file holds before its DLE ETX
  int baud = 0;
};

class ReceptionTest : public testing::TestWithParam<ReceptionCase> {};

TEST_P(ReceptionTest, StoresTheRecordingUpToItsEndMark) {
  const ReceptionCase& c = GetParam();
  VirtualWorld w(Modem(InReads(c.reads), c.baud ? "baud " + std::to_string(c.baud) + "\n" : ""));
  Prepare(w, "1");

  RunJob(w);

  const std::string stored = w.ReadFile("talvin_3");
  EXPECT_EQ(stored.size(), c.recording.size() + 2);
  EXPECT_TRUE(stored == c.recording + kDleEtx) << "the result file differs";
  EXPECT_EQ(w.values.VoiceLen, c.recording.size());
  EXPECT_NE(w.console.Text().find(CountLine(c.recording.size())), std::string::npos)
      << w.console.Text();
  // The reception is ended by the job, not by the modem.
  const std::string transcript = w.serial.Modem().Transcript();
  EXPECT_NE(transcript.find("AT #VRX\r" + kDleEtx + kTone + "\r"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReceptionTest,
    testing::Values(
        ReceptionCase{.name = "EndReportAfter5000",
                      .reads = {Data(5000) + Mark('s')},
                      .recording = Data(5000)},
        ReceptionCase{.name = "StarAt1200",
                      .reads = {Data(1199) + Mark('*') + Data(3800) + Mark('s')},
                      .recording = Data(1199)},
        ReceptionCase{.name = "SilenceReportBeforeEarlierQuiet",
                      .reads = {Data(299) + Mark('q') + Data(3698) + Mark('s')},
                      .recording = Data(299) + Mark('q') + Data(3698)},
        ReceptionCase{.name = "TrailingDlesDropped",
                      .reads = {"ab" + kShield + Mark('s')},
                      .recording = "ab"},
        ReceptionCase{.name = "StartsWithStar",
                      .reads = {Mark('*') + Data(100) + Mark('s')},
                      .recording = ""},
        ReceptionCase{.name = "OneByteFirstRead",
                      .reads = {"s", Data(10) + Mark('q')},
                      .recording = "s" + Data(10)},
        ReceptionCase{.name = "ReportSplitAcrossReads",
                      .reads = {Data(10) + std::string(1, kDle), "s"},
                      .recording = Data(10)},
        ReceptionCase{.name = "ReportInsideReadDoesNotEnd",
                      .reads = {"ab" + Mark('s') + "cd", "ef" + Mark('*') + "g" + Mark('q')},
                      .recording = "ab" + Mark('s') + "cdef"},
        ReceptionCase{.name = "ShieldedReportIsData",
                      .reads = {"ab" + kShield + "s", "cd" + Mark('q')},
                      .recording = "ab" + kShield + "scd"},
        ReceptionCase{
            .name = "ShieldedPairSplitAcrossReads",
            .reads = {"ab" + std::string(1, kDle), std::string(1, kDle) + "q", "cd" + Mark('s')},
            .recording = "ab" + kShield + "qcd"},
        ReceptionCase{.name = "ShieldedStarIsData",
                      .reads = {"ab" + kShield + "*cd" + Mark('s')},
                      .recording = "ab" + kShield + "*cd"},
        ReceptionCase{.name = "FullBuffer", .reads = {Data(190500)}, .recording = Data(190000)},
        ReceptionCase{.name = "FullBufferAtLinePace",
                      .reads = {Data(190500, 3)},
                      .recording = Data(190000, 3),
                      .baud = 38400}),
    [](const testing::TestParamInfo<ReceptionCase>& info) { return info.param.name; });

struct SourceCase {
  const char* name;
  std::string source;
  std::string console_line;
  std::vector<std::string> commands;
};

class SourceTest : public testing::TestWithParam<SourceCase> {};

TEST_P(SourceTest, GreetsAndRecordsThroughTheSource) {
  const SourceCase& c = GetParam();
  VirtualWorld w(Modem(InReads({"abc" + Mark('s')}), kLateRing));
  Prepare(w, c.source);

  RunJob(w);

  EXPECT_EQ(CommandTexts(w), c.commands);
  EXPECT_NE(w.console.Text().find("****  Recording mode  ****\r\n" + c.console_line + "\r\n"),
            std::string::npos)
      << w.console.Text();
  const auto& voice = w.serial.Modem().VoiceData();
  ASSERT_EQ(voice.size(), 1u);
  EXPECT_EQ(voice[0], kGreeting);
  EXPECT_EQ(w.ReadFile("talvin_3"), "abc" + kDleEtx);
  EXPECT_TRUE(w.Exists("talvin2_3"));
}

INSTANTIATE_TEST_SUITE_P(
    Sources, SourceTest,
    testing::Values(SourceCase{.name = "Call",
                               .source = "0",
                               .console_line = "****  Waiting for a telephone call  ****",
                               .commands = {kSettings, "ATA", "AT #VTX", kTone, "AT #VRX", kTone,
                                            "AT #CLS=0", "ATH0"}},
                    SourceCase{.name = "Handset",
                               .source = "1",
                               .console_line = "****  Recording from the Handset  ****",
                               .commands = {kSettings, "AT L3", "AT #VLS=1", "AT #VTX", kTone,
                                            "AT #VRX", kTone, "AT #CLS=0", "ATH0"}},
                    SourceCase{.name = "Speaker",
                               .source = "5",
                               .console_line = "****  Recording from the modem speaker  ****",
                               .commands = {kSettings, "AT L3", "AT #VLS=2", "AT #VTX", kTone,
                                            "AT #VLS=3", "AT #VRX", kTone, "AT #CLS=0", "ATH0"}},
                    SourceCase{.name = "EmptySourceIsSpeaker",
                               .source = "",
                               .console_line = "****  Recording from the modem speaker  ****",
                               .commands = {kSettings, "AT L3", "AT #VLS=2", "AT #VTX", kTone,
                                            "AT #VLS=3", "AT #VRX", kTone, "AT #CLS=0", "ATH0"}}),
    [](const testing::TestParamInfo<SourceCase>& info) { return info.param.name; });

TEST(RecordingTest, CallWaitsForRingThroughReplyTimeouts) {
  VirtualWorld w(Modem(InReads({"abc" + Mark('s')}), kLateRing));
  Prepare(w, "0");

  RunJob(w);

  const auto commands = Commands(w);
  ASSERT_GE(commands.size(), 2u);
  EXPECT_EQ(commands[1].text, "ATA");
  EXPECT_GE(commands[1].at - commands[0].at, std::chrono::milliseconds(40000));
}

struct CallerIdCase {
  const char* name;
  std::string report;  // reply lines between the first and the second ring
  std::string file;    // "callid_3", or "" when none is written
};

class CallerIdTest : public testing::TestWithParam<CallerIdCase> {};

TEST_P(CallerIdTest, AnswersAfterTheSecondRingAndKeepsTheReport) {
  const CallerIdCase& c = GetParam();
  VirtualWorld w(
      Modem(InReads({"abc" + Mark('s')}),
            "on \"AT #VSP=*\": \"OK\" wait 2000 \"RING\" " + c.report + " wait 4000 \"RING\"\n"));
  Prepare(w, "0");
  w.WriteFile("callid_3", "NMBR=an earlier caller\r\n");

  w.RunToEnd([&w] { RunRecording(w.modem, w.console, w.Dir(), w.endings, true); });

  const auto commands = Commands(w);
  ASSERT_GE(commands.size(), 3u);
  EXPECT_EQ(commands[0].text, "AT#CID=1");
  EXPECT_EQ(commands[2].text, "ATA");
  EXPECT_GE(commands[2].at - commands[1].at, std::chrono::milliseconds(6000));
  EXPECT_EQ(w.ReadFile("talvin_3"), "abc" + kDleEtx);
  EXPECT_EQ(w.ReadFile("callid_3"), c.file);
  EXPECT_EQ(w.Exists("callid_3"), !c.file.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Reports, CallerIdTest,
    testing::Values(CallerIdCase{"Spaced",
                                 R"("DATE = 1015" "TIME = 1234" "NMBR = 5551234" "NAME = ANNA")",
                                 "DATE=1015\r\nTIME=1234\r\nNMBR=5551234\r\nNAME=ANNA\r\n"},
                    CallerIdCase{"Unspaced",
                                 R"("DATE=1203" "NMBR=P" "NAME=O" "DDN_NMBR=1" "MESG=0A")",
                                 "DATE=1203\r\nNMBR=P\r\nNAME=O\r\nMESG=0A\r\n"},
                    CallerIdCase{"NoReport", "", ""}),
    [](const testing::TestParamInfo<CallerIdCase>& info) { return info.param.name; });

TEST(RecordingTest, SilentModemTakesTheNoResponseEnding) {
  VirtualWorld w(Modem(InReads({"abc" + Mark('s')}), "on \"AT #VSP=*\": silent\n"));
  Prepare(w, "1");

  RunJob(w);

  EXPECT_EQ(w.ReadFile("talvin_3"), "$D$\r\n");
  EXPECT_NE(w.console.Text().find("****  No Response from the modem  ****"), std::string::npos);
  EXPECT_EQ(w.console.Text().find("****  Recording mode  ****"), std::string::npos);
  EXPECT_EQ(CommandTexts(w), (std::vector<std::string>{kSettings, "AT #CLS=0", "ATH0"}));
}

// Soak seed 6005: the modem garbled its CONNECT; talvo read the voice data as replies, then
// waited for voice data forever.
TEST(RecordingTest, ReceptionWithoutConnectTakesTheNoResponseEnding) {
  VirtualWorld w(
      Modem("voice-rx \"abc\x10s\"", "on \"AT #VRX\": \"CONECT\" voice-rx \"abc\x10s\"\n"));
  Prepare(w, "1");

  RunJob(w);

  EXPECT_EQ(w.ReadFile("talvin_3"), "$D$\r\n");
  EXPECT_TRUE(w.Exists("talvin2_3"));
}

TEST(RecordingTest, ResultFileIsRewrittenFromItsFirstByte) {
  VirtualWorld w(Modem(InReads({"abc" + Mark('s')})));
  Prepare(w, "1");
  w.WriteFile("talvin_3", Data(10000));

  RunJob(w);

  EXPECT_EQ(w.ReadFile("talvin_3"), "abc" + kDleEtx);
}

TEST(RecordingTest, WriteFailureIsReportedAndTheJobEnds) {
  VirtualWorld w(Modem(InReads({"abc" + Mark('s')})));
  Prepare(w, "1");
  std::filesystem::create_directory(w.Dir() / "talvin_3");

  RunJob(w);

  const std::string console = w.console.Text();
  const std::size_t error = console.find("****  Error Writing File  ****\r\n");
  ASSERT_NE(error, std::string::npos) << console;
  EXPECT_LT(console.find(CountLine(3)), error);
  EXPECT_TRUE(w.Exists("talvin2_3"));
  EXPECT_EQ(CommandTexts(w).back(), "ATH0");
  // No part of the recording is left under another name.
  EXPECT_EQ(w.Files(), (std::vector<std::string>{"talvin2_3", "talvin_3", "trace_3"}));
}

}  // namespace
