// One job of each kind against each chip profile that has it and against the default simulator,
// with the example scenarios: however the chip says its listings, rings, keys, busy and ends of
// voice, the job ends as it does against the default, and a recording from a call with caller
// ID on leaves the caller's data in callid_<JobId>.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "support/e2e_job.h"

namespace {

using Env = std::map<std::string, std::string>;

struct JobKind {
  const char* command_line;
  std::string outcome;  // talvin_3 at the end
  bool read_back;
};

const JobKind kSpeaker{"000N03SPEAKER", "$*$\r\n", false};
const JobKind kReadBack{"000N035551234", "$123*$\r\n", true};
// The scenarios' recording up to the caller's "*" key, ended by DLE ETX.
const JobKind kRecording{"000N03", "\x80\x81\x82\x83\x84\x85\x86\x87\x10\x10\x88\x89\x10\x03",
                         false};

struct ProfileRow {
  const char* name;
  const char* profile;  // "": the default simulator
  JobKind kind;
  const char* scenario;  // in tools/vmodem/scenarios
  Env env;
  std::string callid;  // callid_3 expected, when caller ID is on
};

class ProfileE2eTest : public testing::TestWithParam<ProfileRow> {};

TEST_P(ProfileE2eTest, EndsAsAgainstTheDefaultSimulator) {
  const ProfileRow& row = GetParam();
  std::ostringstream scenario;
  scenario << std::ifstream(std::filesystem::path(VMODEM_SCENARIOS) / row.scenario).rdbuf();
  E2eJob job(scenario.str(), *row.profile ? std::vector<std::string>{"--profile", row.profile}
                                          : std::vector<std::string>{});
  job.WriteFile("talvin_3", "message\x10\x03");
  if (row.kind.read_back) {
    job.WriteFile("params_3", "30\r\n3\r\nYESprompts/\r\n2\r\n");
    std::filesystem::create_directory(job.Dir() / "prompts");
    for (const std::string name : {"verif1", "verif2", "one", "two", "three", "star"}) {
      job.WriteFile("prompts/" + name, "[" + name + "]\x10\x03");
    }
  }

  const TalvoRun run = job.RunTalvo({row.kind.command_line}, std::chrono::seconds(60), row.env);

  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(job.ReadFile("talvin_3"), row.kind.outcome) << job.Output();
  EXPECT_TRUE(job.Exists("talvin2_3"));
  if (!row.callid.empty()) {
    EXPECT_EQ(job.ReadFile("callid_3"), row.callid);
  }
}

const Env kV253{{"TALVO_COMMAND_SET", "v253"}};
const Env kV253Alaw{{"TALVO_COMMAND_SET", "v253"}, {"TALVO_VOICE_CODING", "alaw"}};
const Env kV253Ulaw{{"TALVO_COMMAND_SET", "v253"}, {"TALVO_VOICE_CODING", "ulaw"}};
const Env kCallerId{{"TALVO_CALLER_ID", "1"}};
const Env kV253CallerId{{"TALVO_COMMAND_SET", "v253"}, {"TALVO_CALLER_ID", "1"}};
const Env kV253UlawCallerId{
    {"TALVO_COMMAND_SET", "v253"}, {"TALVO_VOICE_CODING", "ulaw"}, {"TALVO_CALLER_ID", "1"}};

INSTANTIATE_TEST_SUITE_P(
    Jobs, ProfileE2eTest,
    testing::Values(
        ProfileRow{"HashSpeaker", "", kSpeaker, "answering.vms", {}, ""},
        ProfileRow{"Rc56Speaker", "rc56", kSpeaker, "answering.vms", {}, ""},
        ProfileRow{"V253Speaker", "", kSpeaker, "v253_speaker.vms", kV253, ""},
        ProfileRow{"Cx93001Speaker", "cx93001", kSpeaker, "v253_speaker.vms", kV253, ""},
        ProfileRow{"Usr5637Speaker", "usr5637", kSpeaker, "v253_speaker.vms", kV253, ""},
        ProfileRow{"HashReadBack", "", kReadBack, "read-back.vms", {}, ""},
        ProfileRow{"Rc56ReadBack", "rc56", kReadBack, "read-back.vms", {}, ""},
        ProfileRow{"V253ReadBack", "", kReadBack, "v253_read_back.vms", kV253, ""},
        ProfileRow{"Cx93001ReadBack", "cx93001", kReadBack, "v253_read_back.vms", kV253Alaw, ""},
        ProfileRow{"Usr5637ReadBack", "usr5637", kReadBack, "v253_read_back.vms", kV253Ulaw, ""},
        ProfileRow{"HashRecording", "", kRecording, "recording.vms", kCallerId, ""},
        ProfileRow{"Rc56Recording", "rc56", kRecording, "recording.vms", kCallerId,
                   "DATE=1209\r\nTIME=1030\r\nNMBR=O\r\nNAME=O\r\n"},
        ProfileRow{"V253Recording", "", kRecording, "v253_recording.vms", kV253CallerId, ""},
        ProfileRow{"Cx93001Recording", "cx93001", kRecording, "v253_recording.vms", kV253CallerId,
                   "DATE=1209\r\nTIME=1030\r\nNMBR=5551234\r\nNAME=ANNA SMITH\r\n"},
        ProfileRow{"Usr5637Recording", "usr5637", kRecording, "v253_recording.vms",
                   kV253UlawCallerId, "DATE=1209\r\nTIME=1030\r\nNMBR=P\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
