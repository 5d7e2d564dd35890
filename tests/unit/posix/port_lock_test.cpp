#include "posix/port_lock.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <optional>
#include <utility>

namespace {
TEST(PortLockTest, NamesTheLockFileAfterTheDevicePathBelowDev) {
  EXPECT_EQ(UucpLockName("/dev/ttyS0"), "LCK..ttyS0");
  EXPECT_EQ(UucpLockName("/dev/pts/5"), "LCK..pts_5");
  EXPECT_EQ(UucpLockName("/dev/serial/by-id/usb-modem"), "LCK..serial_by-id_usb-modem");
}

// A terminal device (a pseudo-terminal's slave), a link to it named "modem" and a lock
// directory of the test's own.
class PortLockFileTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("port_lock_test_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir_);
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master_, 0);
    ASSERT_EQ(grantpt(master_), 0);
    ASSERT_EQ(unlockpt(master_), 0);
    device_ = ptsname(master_);
    alias_ = dir_ / "modem";
    std::filesystem::create_symlink(device_, alias_);
  }
  void TearDown() override {
    close(master_);
    std::filesystem::remove_all(dir_);
  }

  void WriteLock(const std::filesystem::path& named, const std::string& text) {
    std::ofstream(dir_ / UucpLockName(named)) << text;
  }
  // What the user would read: "" once the port is ours.
  static std::string Said(const std::optional<PortRefusal>& refusal) {
    return refusal ? Describe(*refusal) : "";
  }
  std::string Acquire(PortLock& lock) { return Said(lock.Acquire(device_, alias_)); }
  PortLock Lock() { return PortLock(dir_); }

  std::filesystem::path dir_;
  int master_ = -1;
  std::filesystem::path device_;
  std::filesystem::path alias_;
};

pid_t DeadPid() {
  const pid_t child = fork();
  if (child == 0) _exit(0);
  waitpid(child, nullptr, 0);
  return child;
}

TEST_F(PortLockFileTest, ALiveOwnerOfEitherNameHoldsThePortInEitherFormat) {
  const std::string pid = std::to_string(getpid() == 1 ? 1 : getppid());
  for (const auto& named : {device_, alias_}) {
    for (const std::string& text :
         {pid + "\n", "      " + pid + "\n", pid + "\nsomeprogram\nsomehost\n"}) {
      WriteLock(named, text);
      PortLock lock = Lock();
      EXPECT_NE(Acquire(lock).find("held by another program (PID " + pid), std::string::npos)
          << named << ": " << text;
      std::filesystem::remove(dir_ / UucpLockName(named));
    }
  }
}

TEST_F(PortLockFileTest, AFifoInTheLockFilesPlaceNamesNoOneAndIsNeverOpened) {
  ASSERT_EQ(mkfifo((dir_ / UucpLockName(device_)).c_str(), 0600), 0);
  PortLock lock = Lock();
  EXPECT_EQ(Acquire(lock), "");  // a blocking open would hang here for good
}

TEST_F(PortLockFileTest, AStaleLockFileIsTakenOverAndTheAliasIsHeldWhileOurs) {
  WriteLock(device_, "  " + std::to_string(DeadPid()) + "\n");
  WriteLock(alias_, std::to_string(DeadPid()) + "\n");
  PortLock lock = Lock();
  EXPECT_EQ(Acquire(lock), "");
  EXPECT_FALSE(std::filesystem::exists(dir_ / UucpLockName(device_)));
  std::ifstream alias_lock(dir_ / "LCK..modem");
  long owner = 0;
  EXPECT_TRUE(alias_lock >> owner);
  EXPECT_EQ(owner, getpid());
  lock.Release();
  EXPECT_FALSE(std::filesystem::exists(dir_ / "LCK..modem"));
}

// Another user's process cannot be signalled, yet runs: its lock holds the port.
TEST_F(PortLockFileTest, TheOwnersLifeIsWhatTheSystemSaysOfIt) {
  for (const auto& [answer, held] : {std::pair{std::errc::operation_not_permitted, true},
                                     std::pair{std::errc::no_such_process, false}}) {
    WriteLock(device_, "4242\n");
    PortLock lock(dir_, [answer](long) { return answer; });
    EXPECT_EQ(lock.Acquire(device_, device_),
              held ? std::optional(PortRefusal{.reason = PortRefusal::Reason::kHeldByProcess,
                                               .pid = 4242,
                                               .lock_file = dir_ / UucpLockName(device_)})
                   : std::nullopt)
        << static_cast<int>(answer);
  }
}

TEST_F(PortLockFileTest, AnFlockHolderHoldsThePortUntilItLetsGo) {
  PortLock first = Lock();
  ASSERT_EQ(Acquire(first), "");
  PortLock second = Lock();
  EXPECT_EQ(Said(second.Acquire(device_, device_)),
            "held by another program (it has the device locked)");
  first.Release();
  EXPECT_EQ(Said(second.Acquire(device_, device_)), "");
}

TEST_F(PortLockFileTest, SaysWhyADeviceCannotBeUsed) {
  PortLock lock = Lock();
  EXPECT_EQ(Said(lock.Acquire(dir_ / "nothing", dir_ / "nothing")), "no such device");
  std::ofstream(dir_ / "file") << "";
  EXPECT_EQ(Said(lock.Acquire(dir_ / "file", dir_ / "file")), "not a terminal");
}
}  // namespace
