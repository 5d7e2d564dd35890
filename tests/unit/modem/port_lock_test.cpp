#include "modem/port_lock.h"

#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

namespace {
TEST(PortLockTest, NamesTheLockFileAfterTheDevicePathBelowDev) {
  EXPECT_EQ(UucpLockName("/dev/ttyS0"), "LCK..ttyS0");
  EXPECT_EQ(UucpLockName("/dev/pts/5"), "LCK..pts_5");
  EXPECT_EQ(UucpLockName("/dev/serial/by-id/usb-modem"), "LCK..serial_by-id_usb-modem");
}

class PortLockFileTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("port_lock_test_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir_);
    device_ = dir_ / "device";
    std::ofstream(device_) << "";
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  void WriteLock(const std::string& text) { std::ofstream(dir_ / UucpLockName(device_)) << text; }

  std::filesystem::path dir_;
  std::filesystem::path device_;
};

pid_t DeadPid() {
  const pid_t child = fork();
  if (child == 0) _exit(0);
  waitpid(child, nullptr, 0);
  return child;
}

TEST_F(PortLockFileTest, ALiveOwnerHoldsThePortInEitherFormat) {
  const pid_t parent = getppid();
  for (const std::string& text :
       {std::to_string(parent) + "\n", "      " + std::to_string(parent) + "\n",
        std::to_string(parent) + "\nsomeprogram\nsomehost\n"}) {
    WriteLock(text);
    PortLock lock;
    EXPECT_FALSE(lock.Acquire(device_, dir_)) << text;
  }
}

TEST_F(PortLockFileTest, AStaleLockFileIsTakenOver) {
  WriteLock("  " + std::to_string(DeadPid()) + "\n");
  PortLock lock;
  EXPECT_TRUE(lock.Acquire(device_, dir_));
  EXPECT_FALSE(std::filesystem::exists(dir_ / UucpLockName(device_)));
}

TEST_F(PortLockFileTest, AnFlockHolderHoldsThePortUntilItLetsGo) {
  PortLock first;
  ASSERT_TRUE(first.Acquire(device_, dir_));
  PortLock second;
  EXPECT_FALSE(second.Acquire(device_, dir_));
  first.Release();
  EXPECT_TRUE(second.Acquire(device_, dir_));
}
}  // namespace
