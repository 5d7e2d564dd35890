// Help and version of every program, and a usage error: what users try first. A help request
// runs no job and leaves no file behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "child_process.h"
#include "temp_dir.h"

namespace {

std::string Slurp(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct HelpCase {
  const char* name;
  std::vector<std::string> argv;
  int exit_code = 0;
  std::string out_starts{};  // the beginning of stdout
  bool err_empty = true;
};

class HelpTest : public testing::TestWithParam<HelpCase> {};

TEST_P(HelpTest, AnswersWithoutAJob) {
  const HelpCase& c = GetParam();
  TempDir scratch("help-test-");
  const std::filesystem::path work = scratch.Path() / "work";
  std::filesystem::create_directory(work);
  ChildProcess program(c.argv, ChildOptions{.dir = work,
                                            .unset_env = {"DISPLAY", "WAYLAND_DISPLAY"},
                                            .stdout_file = scratch.Path() / "out",
                                            .stderr_file = scratch.Path() / "err"});
  const std::optional<ChildEnd> end = program.Wait(std::chrono::seconds(30));
  ASSERT_TRUE(end);
  EXPECT_EQ(end->exit_code, c.exit_code);
  const std::string out = Slurp(scratch.Path() / "out");
  EXPECT_TRUE(out.starts_with(c.out_starts)) << out;
  EXPECT_EQ(Slurp(scratch.Path() / "err").empty(), c.err_empty);
  EXPECT_TRUE(std::filesystem::is_empty(work));
}

const std::string kVersion = TALVO_VERSION;

INSTANTIATE_TEST_SUITE_P(
    Programs, HelpTest,
    testing::Values(
        HelpCase{.name = "TalvoHelp", .argv = {TALVO_BIN, "--help"}, .out_starts = "Usage: talvo"},
        HelpCase{.name = "TalvoShortHelp", .argv = {TALVO_BIN, "-h"}, .out_starts = "Usage: talvo"},
        HelpCase{.name = "TalvoVersion",
                 .argv = {TALVO_BIN, "--version"},
                 .out_starts = "talvo " + kVersion + "\n"},
        // No command line names no job: no job files named after nothing.
        HelpCase{
            .name = "TalvoUsageError", .argv = {TALVO_BIN}, .exit_code = 2, .err_empty = false},
        HelpCase{
            .name = "KorvinHelp", .argv = {KORVIN_BIN, "--help"}, .out_starts = "Usage: korvin"},
        HelpCase{.name = "KorvinVersion",
                 .argv = {KORVIN_BIN, "--version"},
                 .out_starts = "korvin " + kVersion + "\n"},
        HelpCase{.name = "KorvinUsageError",
                 .argv = {KORVIN_BIN, "--frobnicate"},
                 .exit_code = 2,
                 .err_empty = false},
        HelpCase{.name = "VmodemHelp", .argv = {VMODEM_BIN, "-h"}, .out_starts = "usage: vmodem"},
        HelpCase{.name = "VmodemVersion",
                 .argv = {VMODEM_BIN, "--version"},
                 .out_starts = "vmodem " + kVersion + "\n"},
        HelpCase{
            .name = "VmodemUsageError", .argv = {VMODEM_BIN}, .exit_code = 2, .err_empty = false},
        HelpCase{.name = "TalvoVoiceHelp",
                 .argv = {TALVO_VOICE_BIN, "--help"},
                 .out_starts = "Usage: talvo-voice"},
        HelpCase{.name = "TalvoVoiceVersion",
                 .argv = {TALVO_VOICE_BIN, "--version"},
                 .out_starts = "talvo-voice " + kVersion + "\n"},
        HelpCase{.name = "TalvoVoiceUsageError",
                 .argv = {TALVO_VOICE_BIN, "import", "in.wav"},
                 .exit_code = 2,
                 .err_empty = false}),
    [](const auto& info) { return info.param.name; });

}  // namespace
