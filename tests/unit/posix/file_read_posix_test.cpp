#include <gtest/gtest.h>

#include "platform/file_read.h"

namespace {

// A device never ends and never counts as a file: not a byte of it is read.
TEST(FileReadPosixTest, ADeviceIsNotRead) {
  EXPECT_EQ(ReadFileHead("/dev/zero", 16), std::nullopt);
}

}  // namespace
