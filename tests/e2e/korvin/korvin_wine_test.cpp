// The Windows build of korvin under Wine. Wine's answers differ from the machine's own (its
// computer name is upper case, its version text is its own), so the report's shape is checked.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "run_program.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> LinesWithoutCarriageReturns(std::string text) {
  std::erase(text, '\r');
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

TEST(KorvinUnderWine, PrintsTheReportAndRemovesVer) {
  if (!fs::exists(KORVIN_EXE_PATH)) {
    GTEST_SKIP() << KORVIN_EXE_PATH << " is missing: build the windows preset first";
  }
  if (std::string(WINE_PATH).empty()) GTEST_SKIP() << "wine was not found";
  TempDir scratch("korvin-e2e-");
  const fs::path run_dir = scratch.Path() / "run";
  fs::create_directory(run_dir);
  std::ofstream(run_dir / "ver") << "a version file left by somebody else\n";

  // The prefix is kept between runs: creating it takes Wine several seconds.
  ProgramResult result =
      RunProgram({WINE_PATH, KORVIN_EXE_PATH}, run_dir,
                 {{"WINEDEBUG", "-all"}, {"WINEPREFIX", WINE_PREFIX}}, scratch.Path());

  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.err.find("Cannot open ver file"), std::string::npos) << result.err;
  EXPECT_FALSE(fs::exists(run_dir / "ver"));
  char host_name[256] = {};
  ASSERT_EQ(gethostname(host_name, sizeof host_name - 1), 0);
  std::vector<std::string> lines = LinesWithoutCarriageReturns(result.out);
  ASSERT_EQ(lines.size(), 8u) << result.out;
  EXPECT_EQ(lines[0], "----  KORVIN  V:1 FOR Windows  UPDATE=020202  ----");
  EXPECT_EQ(lines[1], "");
  EXPECT_TRUE(
      std::regex_match(lines[2], std::regex("Computer Identification : \\S+( [0-9a-f]{12})?")))
      << lines[2];
  EXPECT_EQ(lines[3], "Host Name               : " + std::string(host_name));
  EXPECT_TRUE(std::regex_match(
      lines[4],
      std::regex("IP Adress               : (\\d{1,3}(\\.\\d{1,3}){3}|\\*\\*\\*\\*  No IP "
                 "Adress  \\*\\*\\*\\*)")))
      << lines[4];
  // The interpreter's version line, not the "Windows" it replaces, followed by its own line
  // end and the report's two.
  EXPECT_TRUE(std::regex_match(lines[5], std::regex("Operating System        : \\S.*")))
      << lines[5];
  EXPECT_NE(lines[5], "Operating System        : Windows");
  EXPECT_EQ(lines[6], "");
  EXPECT_EQ(lines[7], "");
}

}  // namespace
