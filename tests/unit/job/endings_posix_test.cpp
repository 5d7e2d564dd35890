// Symbolic links in the job files' places. Linux only, by file: MinGW's std::filesystem cannot
// make a link, and neither can Wine.
#include <gtest/gtest.h>

#include "job/job_endings.h"
#include "virtual_world.h"

namespace {

TEST(EndingsPosixTest, SymlinksInPlaceOfTheJobFilesAreReplacedAndTheirTargetsLeftAlone) {
  VirtualWorld w;
  w.values.JobId = "3";
  w.serial.SetCommPort(3);
  w.serial.SetPortOpen(true);
  const std::vector<std::string> names{"talvin2_3", "talvin_3", "trace_3"};
  std::filesystem::create_directory(w.Dir() / "elsewhere");
  for (const std::string& name : names) {
    w.WriteFile("elsewhere/" + name, "target");
    std::filesystem::create_symlink(w.Dir() / "elsewhere" / name, w.Dir() / name);
  }
  w.RunToEnd([&] { w.endings.BusyEnding(); });
  for (const std::string& name : names) {
    EXPECT_EQ(w.ReadFile("elsewhere/" + name), "target") << name;
    EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(w.Dir() / name)))
        << name;
  }
  EXPECT_EQ(w.ReadFile("talvin_3"), "$F$\r\n");
  EXPECT_EQ(w.ReadFile("talvin2_3"), "");
  EXPECT_EQ(w.ReadFile("trace_3"), w.console.Text());
  EXPECT_EQ(w.Files(), (std::vector<std::string>{"elsewhere", "talvin2_3", "talvin_3", "trace_3"}));
}

}  // namespace
