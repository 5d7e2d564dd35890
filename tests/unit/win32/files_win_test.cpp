// The Win32 job files: what is read, and writes that replace a file whole.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/file_read.h"
#include "platform/file_write.h"
#include "temp_dir.h"

namespace {

struct ReadCase {
  const char* name;
  // In a folder holding the file "ver" (0123456789) and the folder "folder"; a whole path stands
  // for itself.
  const char* file;
  std::size_t max_bytes;
  std::optional<std::string> head;
};

class ReadFileHeadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadFileHeadTest, ReadsOnlyTheHeadOfAFileOnDisk) {
  const TempDir dir("win32-read-");
  std::ofstream(dir.Path() / "ver", std::ios::binary) << "0123456789";
  std::filesystem::create_directory(dir.Path() / "folder");
  EXPECT_EQ(ReadFileHead(dir.Path() / GetParam().file, GetParam().max_bytes), GetParam().head);
}

INSTANTIATE_TEST_SUITE_P(Table, ReadFileHeadTest,
                         testing::Values(ReadCase{"Head", "ver", 4, "0123"},
                                         ReadCase{"Whole", "ver", 64, "0123456789"},
                                         ReadCase{"Missing", "missing", 64, std::nullopt},
                                         ReadCase{"Folder", "folder", 64, std::nullopt},
                                         ReadCase{"Device", R"(\\.\NUL)", 64, std::nullopt}),
                         [](const auto& info) { return info.param.name; });

TEST(WriteWholeFileTest, ReplacesTheContentWholeAndRefusesNamesOutsideTheFolder) {
  const TempDir dir("win32-write-");
  ASSERT_FALSE(WriteWholeFile(dir.Path(), "trace_3", std::string(5000, 'x')));
  ASSERT_FALSE(WriteWholeFile(dir.Path(), "trace_3", "short"));
  ASSERT_FALSE(CreateFileIfMissing(dir.Path(), "trace_3"));
  EXPECT_EQ(ReadFileHead(dir.Path() / "trace_3", 10000), "short");
  for (const char* name : {"a/b", R"(a\b)", "C:b", "..", ""}) {
    EXPECT_EQ(WriteWholeFile(dir.Path(), name, "x"), std::errc::invalid_argument) << name;
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

}  // namespace
