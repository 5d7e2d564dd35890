// A "ver" that never ends, of kinds only POSIX has here: a link to /dev/zero and a FIFO. Neither
// is read at all. Linux only, by file; the Windows build has its own rows in tests/unit/win32.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "job/job.h"
#include "virtual_world.h"

namespace {

struct SpecialCase {
  const char* name;
  void (*make)(const std::filesystem::path& ver);
};

void LinkToDevZero(const std::filesystem::path& ver) {
  std::filesystem::create_symlink("/dev/zero", ver);
}
void MakeFifo(const std::filesystem::path& ver) {
  ASSERT_EQ(mkfifo(ver.c_str(), 0600), 0);
}

class SpecialVersionFileTest : public testing::TestWithParam<SpecialCase> {};

TEST_P(SpecialVersionFileTest, ShowsNothing) {
  VirtualWorld w("on \"*\":\n");
  GetParam().make(w.Dir() / "ver");
  Job job(w.ctx, w.serial, "000N03", &w.modem.commands);
  w.RunToEnd([&] { job.Run(); });
  EXPECT_TRUE(
      w.console.Text().starts_with("---  TALVO  V:3 UPDATE=020103 For  and ZR6 Run Time ---\r\n"))
      << w.console.Text().substr(0, 200);
}

INSTANTIATE_TEST_SUITE_P(Table, SpecialVersionFileTest,
                         testing::Values(SpecialCase{"LinkToDevZero", LinkToDevZero},
                                         SpecialCase{"Fifo", MakeFifo}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
