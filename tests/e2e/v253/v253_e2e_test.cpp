// Whole jobs in the V.253 command set, against vmodem's V.253 mode: the voice-mode dialogue with
// its listings and fallbacks, "OK" as the voice connection, busy as a DLE event, the host's
// DLE "!" ending a reception. Every case checks what the modem received command by command.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/e2e_job.h"
#include "vmodem/escape.h"

namespace {

using namespace std::chrono_literals;

constexpr char kDle = 16;
const std::string kDleEtx = "\x10\x03";
const std::map<std::string, std::string> kV253 = {{"TALVO_COMMAND_SET", "v253"}};

// A V.253 modem that lists its devices with the "+VLS: " prefix and its compression methods
// without one, as vendors differ; `rules` come first. Commands no rule names are answered "OK".
std::string Scenario(const std::string& rules) {
  return "command-set v253\n"
         "baud 115200\n" +
         rules +
         "on \"ATI3\": \"VMODEM V.253\" \"OK\"\n"
         "on \"AT+VLS=?\": \"+VLS: 0,\\\"\\\",0,0,0\" \"+VLS: 1,\\\"T\\\",0,0,0\" "
         "\"+VLS: 2,\\\"L\\\",0,0,0\" \"+VLS: 4,\\\"S\\\",0,0,0\" \"+VLS: 6,\\\"M\\\",0,0,0\" "
         "\"OK\"\n"
         "on \"AT+VSM=?\": \"1,\\\"UNSIGNED PCM\\\",8,0,8000,0,0\" "
         "\"129,\\\"IMA ADPCM\\\",4,0,8000,0,0\" \"131,\\\"ULAW\\\",8,0,(7200,8000),0,0\" \"OK\"\n"
         "on \"AT+VTX\": \"CONNECT\" voice-tx\n";
}

// Voice data with shielded DLE pairs, and its terminator.
std::string VoiceFile(const std::string& text) {
  return text + std::string{kDle, kDle} + text + kDleEtx;
}

const std::vector<std::string> kVoiceMode = {
    "ATZ",          "AT E1 H0 L0 S6=15 S7=60 &K3", "ATI3", "AT+FCLASS=8", "AT+VLS=?", "AT+VSM=?",
    "AT+VSM=1,8000"};

std::vector<std::string> Then(std::vector<std::string> first,
                              const std::vector<std::string>& more) {
  first.insert(first.end(), more.begin(), more.end());
  return first;
}

void ExpectFinished(E2eJob& job, const TalvoRun& run) {
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_TRUE(job.Exists("talvin2_3"));
  EXPECT_TRUE(job.ReadFile("trace_3").ends_with("****  End of TAL_VO  ****  \r\n"));
}

TEST(V253E2eTest, SpeakerPlaybackSendsExactlyTheV253Dialogue) {
  E2eJob job(Scenario(""));
  const std::string message = VoiceFile(std::string(3000, 'm'));
  job.WriteFile("talvin_3", message);
  job.WriteFile("params_3", "30\r\n3\r\nNO\r\n0\r\n");

  const TalvoRun run = job.RunTalvo({"000N03SPEAKER"}, std::chrono::seconds(60), kV253);

  ExpectFinished(job, run);
  EXPECT_EQ(job.ReadFile("talvin_3"), "$*$\r\n");
  EXPECT_EQ(job.Log().Commands(),
            Then(kVoiceMode, {"AT+VLS=0", "AT+VRA=150", "AT+VRN=26", "AT L3 M2", "AT+VLS=4",
                              "AT+VTX", "AT+VTS=[880,0,100]", "AT+VTX", "AT+FCLASS=0", "ATH0"}));
  EXPECT_EQ(job.VoiceData(), (std::vector<std::string>{message, kDleEtx}));
  const std::string trace = job.ReadFile("trace_3");
  EXPECT_NE(trace.find("MSComm1.Settings=115200,n,8,1\r\n"), std::string::npos) << trace;
  EXPECT_EQ(job.Output(), "");
}

TEST(V253E2eTest, DialledPlaybackTakesKeysAndReadsThemBackInTheChosenCoding) {
  E2eJob job(Scenario(
      "on \"ATD5551234\": wait 300 \"RINGING\" wait 500 \"OK\"\n"
      "on \"AT+VTX\" #2: \"CONNECT\" voice-tx until-end wait 500 key 4 wait 300 key 0 wait 300 "
      "key *\n"
      "on \"AT+VTX\" #3: \"CONNECT\" voice-tx until-end wait 500 key 9 wait 300 key *\n"));
  const std::string message = VoiceFile(std::string(5000, 'u'));
  job.WriteFile("talvin_3", message);
  job.WriteFile("params_3", "30\r\n3\r\nYESprompts/\r\n2\r\n");
  std::filesystem::create_directory(job.Dir() / "prompts");
  for (const std::string name : {"verif1", "verif2", "zero", "four", "star"}) {
    job.WriteFile("prompts/" + name, VoiceFile("[" + name + "]"));
  }
  const auto said = [](const std::string& name) {
    const std::string file = VoiceFile("[" + name + "]");
    return file.substr(0, file.size() - kDleEtx.size());
  };

  const TalvoRun run = job.RunTalvo({"000N035551234"}, std::chrono::seconds(60),
                                    {{"TALVO_COMMAND_SET", "v253"},
                                     {"TALVO_VOICE_CODING", "ulaw"},
                                     {"TALVO_VOICE_RATE", "7200"}});

  ExpectFinished(job, run);
  EXPECT_EQ(job.ReadFile("talvin_3"), "$40*$\r\n");
  const std::vector<std::string> commands = job.Log().Commands();
  ASSERT_GE(commands.size(), 10u);
  EXPECT_EQ(std::vector<std::string>(commands.begin() + 5, commands.begin() + 10),
            (std::vector<std::string>{"AT+VSM=?", "AT+VSM=131,7200", "AT+VLS=0", "AT+VRA=150",
                                      "AT+VRN=26"}));
  const std::vector<std::string> voice = job.VoiceData();
  ASSERT_EQ(voice.size(), 3u);
  EXPECT_EQ(voice[0], message);
  EXPECT_EQ(voice[2],
            said("verif1") + said("four") + said("zero") + said("star") + said("verif2") + kDleEtx);
  EXPECT_NE(job.Transcript().find("AT+VTX\r" + message + "AT+VTS=[880,0,100]\r"),
            std::string::npos);
}

struct FailedCallCase {
  const char* name;
  std::string dial_replies;
  std::string marker;
  std::string console_line;
};

class V253FailedCallTest : public testing::TestWithParam<FailedCallCase> {};

TEST_P(V253FailedCallTest, EndsWithTheOutcomeMarker) {
  const FailedCallCase& c = GetParam();
  E2eJob job(Scenario("on \"ATD5551234\": " + c.dial_replies + "\n"));
  job.WriteFile("params_3", "30\r\n3\r\nNO\r\n0\r\n");

  const TalvoRun run = job.RunTalvo({"000N035551234"}, std::chrono::seconds(60), kV253);

  ExpectFinished(job, run);
  EXPECT_EQ(job.ReadFile("talvin_3"), c.marker);
  const std::string trace = job.ReadFile("trace_3");
  EXPECT_NE(trace.find(c.console_line), std::string::npos) << trace;
  const ModemLog log = job.Log();
  EXPECT_EQ(log.Commands().back(), "ATH0");
  // Decided within a second of the 6-second dial pause, which starts at the echo's end or the
  // first event (at most 0.8 s in); the end sequence pauses 3 seconds.
  EXPECT_LT(log.CommandTime("AT+FCLASS=0") - log.CommandTime("ATD5551234"),
            800ms + 6000ms + 1000ms + 3000ms);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, V253FailedCallTest,
    testing::Values(
        // The busy tone comes as a DLE event, without a line end.
        FailedCallCase{.name = "BusyEvent",
                       .dial_replies = "wait 300 \"RINGING\" wait 300 key b",
                       .marker = "$B$\r\n",
                       .console_line = "****  Error phone number  5551234 is busy  ****\r\n"},
        // An event right after the dial command's echo, before any line end.
        FailedCallCase{.name = "BusyEventAfterEcho",
                       .dial_replies = "wait 800 key b",
                       .marker = "$B$\r\n",
                       .console_line = "****  Error phone number  5551234 is busy  ****\r\n"},
        FailedCallCase{.name = "DialToneEventAfterEcho",
                       .dial_replies = "wait 800 key d",
                       .marker = "$C$\r\n",
                       .console_line = "****  Error phone number  5551234 no dialtone  ****\r\n"},
        FailedCallCase{.name = "NoDialtone",
                       .dial_replies = "\"NO DIALTONE\"",
                       .marker = "$C$\r\n",
                       .console_line = "****  Error phone number  5551234 no dialtone  ****\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// Voice data as the modem shields it: every byte value, each 16 doubled, and shielded pairs
// that a plain search would take for end reports.
std::string Recording() {
  std::string data;
  for (int round = 0; round < 4; ++round) {
    for (int b = 0; b < 256; ++b) {
      data += static_cast<char>(b);
      if (b == kDle) data += kDle;
    }
    data += std::string{kDle, kDle, 's', kDle, kDle, '!'};
  }
  return data;
}

TEST(V253E2eTest, HandsetRecordingEndedBySilenceIsStoredByteForByte) {
  const std::string recording = Recording();
  E2eJob job(Scenario("on \"AT+VRX\": \"CONNECT\" voice-rx " +
                      vmodem::QuoteBytes(recording + std::string{kDle, 's'}) + "\n"));
  const std::string greeting = VoiceFile("greeting");
  job.WriteFile("talvin_3", greeting);

  const TalvoRun run = job.RunTalvo({"001N03"}, std::chrono::seconds(60), kV253);

  ExpectFinished(job, run);
  EXPECT_TRUE(job.ReadFile("talvin_3") == recording + kDleEtx)
      << "the result file differs from the recording";
  EXPECT_EQ(job.Log().Commands(),
            Then(kVoiceMode, {"AT+VLS=0", "AT+VRA=0", "AT+VRN=0", "AT+VSD=128,15", "AT L3",
                              "AT+VLS=2", "AT+VTX", "AT+VTS=[880,0,100]", "AT+VRX",
                              "AT+VTS=[880,0,100]", "AT+FCLASS=0", "ATH0"}));
  EXPECT_EQ(job.VoiceData(), std::vector<std::string>{greeting});
  // The host ends the reception with DLE "!" right after the modem's end report.
  EXPECT_NE(job.Transcript().find("AT+VRX\r\x10!AT+VTS"), std::string::npos);
}

TEST(V253E2eTest, AnIncomingCallIsAnsweredWithAta) {
  E2eJob job(
      Scenario("on \"AT+VSD=128,15\": \"OK\" wait 300 \"RING\"\n"
               "on \"AT+VRX\": \"CONNECT\" voice-rx \"hello\\x10q\"\n"));
  job.WriteFile("talvin_3", VoiceFile("greeting"));

  const TalvoRun run = job.RunTalvo({"000N03"}, std::chrono::seconds(60), kV253);

  ExpectFinished(job, run);
  EXPECT_EQ(job.ReadFile("talvin_3"), "hello" + kDleEtx);
  const std::vector<std::string> commands = job.Log().Commands();
  const std::vector<std::string> tail(commands.end() - 7, commands.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"ATA", "AT+VTX", "AT+VTS=[880,0,100]", "AT+VRX",
                                            "AT+VTS=[880,0,100]", "AT+FCLASS=0", "ATH0"}));
}

TEST(V253E2eTest, ACodingTheModemDoesNotOfferEndsWithoutResponse) {
  E2eJob job(Scenario(""));

  const TalvoRun run =
      job.RunTalvo({"000N03SPEAKER"}, std::chrono::seconds(60),
                   {{"TALVO_COMMAND_SET", "v253"}, {"TALVO_VOICE_CODING", "alaw"}});

  ExpectFinished(job, run);
  EXPECT_EQ(job.ReadFile("talvin_3"), "$D$\r\n");
  EXPECT_EQ(job.Log().Commands(),
            (std::vector<std::string>{"ATZ", "AT E1 H0 L0 S6=15 S7=60 &K3", "ATI3", "AT+FCLASS=8",
                                      "AT+VLS=?", "AT+VSM=?", "AT+FCLASS=0", "ATH0"}));
  EXPECT_EQ(job.Output(),
            "talvo: the modem has no voice coding alaw at 8000 Hz; it offers: 1 \"UNSIGNED PCM\", "
            "129 \"IMA ADPCM\", 131 \"ULAW\"\n");
}

TEST(V253E2eTest, ARefusedTimerTakesTheLargestOfferedValue) {
  // This modem also has no speaker: the playback ends as a call nobody picked up.
  E2eJob job(
      "command-set v253\n"
      "on \"ATI3\": \"VMODEM V.253\" \"OK\"\n"
      "on \"AT+VLS=?\": \"0,\\\"\\\",0,0,0\" \"1,\\\"T\\\",0,0,0\" \"OK\"\n"
      "on \"AT+VSM=?\": \"+VSM: 128,\\\"8-BIT LINEAR\\\",8,0,(8000),(0),(0)\" \"OK\"\n"
      "on \"AT+VRN=26\": \"ERROR\"\n"
      "on \"AT+VRN=?\": \"+VRN: (0-10)\" \"OK\"\n");

  const TalvoRun run = job.RunTalvo({"000N03SPEAKER"}, std::chrono::seconds(60), kV253);

  ExpectFinished(job, run);
  EXPECT_EQ(job.ReadFile("talvin_3"), "$A$\r\n");
  EXPECT_EQ(job.Log().Commands(),
            (std::vector<std::string>{"ATZ", "AT E1 H0 L0 S6=15 S7=60 &K3", "ATI3", "AT+FCLASS=8",
                                      "AT+VLS=?", "AT+VSM=?", "AT+VSM=128,8000", "AT+VLS=0",
                                      "AT+VRA=150", "AT+VRN=26", "AT+VRN=?", "AT+VRN=10",
                                      "AT L3 M2", "AT+FCLASS=0", "ATH0"}));
  EXPECT_EQ(job.Output(), "talvo: the modem lists no speaker in its answer to AT+VLS=?\n");
}

TEST(V253E2eTest, AnUnknownCommandSetEndsAsAnUnusablePortAndSendsNothing) {
  E2eJob job(Scenario(""));

  const TalvoRun run =
      job.RunTalvo({"000N03SPEAKER"}, std::chrono::seconds(60), {{"TALVO_COMMAND_SET", "v34"}});

  ExpectFinished(job, run);
  EXPECT_EQ(job.ReadFile("talvin_3"), "$F$\r\n");
  EXPECT_EQ(job.Output(), "talvo: TALVO_COMMAND_SET is \"v34\", not \"hash\" or \"v253\"\n");
  EXPECT_EQ(job.Transcript(), "");
}

}  // namespace
