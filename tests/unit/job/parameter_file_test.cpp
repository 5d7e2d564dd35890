#include "job/parameter_file.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {
class ParameterFileTest : public testing::Test {
 protected:
  void SetUp() override {
    file_ = std::filesystem::temp_directory_path() /
            ("params_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             testing::UnitTest::GetInstance()->current_test_info()->name());
  }
  void TearDown() override { std::filesystem::remove(file_); }

  JobValues Read(const std::string& source, const char* text) {
    if (text != nullptr) std::ofstream(file_, std::ios::binary) << text;
    JobValues v;
    v.SourceCode = source;
    ReadParameterFile(file_, v);
    return v;
  }

  std::filesystem::path file_;
};

TEST_F(ParameterFileTest, ReadsTheFourLines) {
  const JobValues v = Read("1", " 30 seconds\r\n5\r\nYES/prompts/\r\n2\r\n9\r\n");
  EXPECT_EQ(v.ProgressTimeout, 30);
  EXPECT_EQ(v.RetryCount, 5);
  EXPECT_EQ(v.ReadBack, 1);
  EXPECT_EQ(v.PromptDir, "/prompts/");
  EXPECT_EQ(v.PlayCount, 3);
  EXPECT_EQ(v.DigitTimeout, 0);
}

TEST_F(ParameterFileTest, SourceZeroKeepsTheDefaultRetriesAndDigitWait) {
  const JobValues v = Read("0", "10\n7\nno\n0\n");
  EXPECT_EQ(v.RetryCount, 3);
  EXPECT_EQ(v.DigitTimeout, 20);
  EXPECT_EQ(v.PlayCount, 1);
}

TEST_F(ParameterFileTest, ReadBackNeedsUpperCaseYes) {
  EXPECT_EQ(Read("0", "0\n0\nYES\n0\n").ReadBack, 1);
  EXPECT_EQ(Read("0", "0\n0\nYES\n0\n").PromptDir, "");
  EXPECT_EQ(Read("0", "0\n0\nyes\n0\n").ReadBack, 0);
  EXPECT_EQ(Read("0", "0\n0\nYE\n0\n").ReadBack, 0);
}

TEST_F(ParameterFileTest, MissingFileOrLinesReadAsEmpty) {
  const JobValues missing = Read("1", nullptr);
  EXPECT_EQ(missing.ProgressTimeout, 0);
  EXPECT_EQ(missing.RetryCount, 0);
  EXPECT_EQ(missing.ReadBack, 0);
  EXPECT_EQ(missing.PlayCount, 1);
  EXPECT_EQ(Read("1", "45").ProgressTimeout, 45);
  EXPECT_EQ(Read("1", "45").PlayCount, 1);
}

TEST_F(ParameterFileTest, ALongLineIsCutAndTheNextLinesStayInPlace) {
  const std::string text =
      "7" + std::string(1 << 15, 'x') + "\r\n5\r\nYES" + std::string(5000, 'd') + "\r\n2\r\n";
  const JobValues v = Read("1", text.c_str());
  EXPECT_EQ(v.ProgressTimeout, 7);
  EXPECT_EQ(v.RetryCount, 5);
  EXPECT_EQ(v.PromptDir, std::string(4093, 'd'));
  EXPECT_EQ(v.PlayCount, 3);
}

TEST_F(ParameterFileTest, OutOfRangeNumbersLeaveTheirValues) {
  const JobValues v = Read("1", "40000\n-40000\nNO\n32767\n");
  EXPECT_EQ(v.ProgressTimeout, 0);
  EXPECT_EQ(v.RetryCount, 3);
  EXPECT_EQ(v.PlayCount, 32767);
}
}  // namespace
