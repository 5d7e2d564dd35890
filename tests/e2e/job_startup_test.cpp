// Start-up, the serial port and the busy ending, with the real talvo against vmodem.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <thread>

#include "support/e2e_job.h"
#include "support/scenarios.h"

namespace {
std::filesystem::path LockFileOf(const std::string& port) {
  std::string name = std::filesystem::path(port).lexically_relative("/dev").string();
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  return std::filesystem::path("/var/lock") / ("LCK.." + name);
}

void ExpectBusyEnding(E2eJob& job, const TalvoRun& run, const std::string& id) {
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(job.ReadFile("talvin_" + id), "$F$\r\n");
  EXPECT_TRUE(job.Exists("talvin2_" + id));
  EXPECT_EQ(job.ReadFile("talvin2_" + id), "");
  const std::string trace = job.ReadFile("trace_" + id);
  EXPECT_NE(trace.find("\r\n\r\n****  Error modem is busy  ****\r\n"), std::string::npos) << trace;
  EXPECT_TRUE(trace.ends_with(kEndLine)) << trace;
}

// The start-up lines for each "ver" file and port speed are checked on virtual time by the
// job unit tests; here the real talvo reads a real "ver" file and opens the real port, with a
// display named that cannot be opened.
TEST(StartupTest, PrintsTheStartupLinesThenOpensThePortAtItsSpeed) {
  E2eJob job(kQuickEndModem);
  job.WriteFile("ver", "\nLinux 6.1 [Version 6.1.0]\n");
  const TalvoRun run =
      job.RunTalvo({"000N04SPEAKER"}, std::chrono::seconds(60), {{"DISPLAY", ":173"}});
  EXPECT_EQ(run.exit_code, 0);
  const std::string trace = job.ReadFile("trace_4");
  EXPECT_TRUE(trace.starts_with(
      "---  TALVO  V:3 UPDATE=020103 For Linux 6.1 [Version 6.1.0] and ZR6 Run Time ---"
      "\r\n\r\nLGR_ECR_VOICE=2048\r\nLGR_BUF_VOICE=190000\r\n"
      "MSComm1.InBufferSize=32000\r\nMSComm1.OutBufferSize=32000\r\n"
      "\r\n****  Device COM4 is opened  ****\r\n"
      "MSComm1.Settings=19200,n,8,1\r\n"))
      << trace;
  EXPECT_EQ(job.ReadFile("talvin_4"), "$B$\r\n");
  // The Windows build without a display runs the job without a window, and says nothing.
  EXPECT_EQ(job.Output(), E2eJob::UnderWine()
                              ? ""
                              : "talvo: cannot open display :173: the window runs offscreen\n");
}

TEST(BusyEndingTest, AMissingPortEndsWithF) {
  E2eJob job(kQuickEndModem);
  const TalvoRun run =
      job.RunTalvo({"000N03SPEAKER"}, std::chrono::seconds(30), {{"TALVO_COM3", job.NoSuchPort()}});
  ExpectBusyEnding(job, run, "3");
  EXPECT_EQ(job.Transcript(), "");
  // The Windows build names the device as it opens it: \\.\COM251.
  const std::string device = (E2eJob::UnderWine() ? "\\\\.\\" : "") + job.NoSuchPort();
  EXPECT_EQ(job.Output(), "talvo: COM3 (" + device + "): no such device\n");
}

TEST(BusyEndingTest, AShortCommandLineNamesTheFilesByTheBarePrefixes) {
  E2eJob job(kQuickEndModem);
  const TalvoRun run = job.RunTalvo({"000N"});
  ExpectBusyEnding(job, run, "");
  EXPECT_EQ(job.Transcript(), "");
}

TEST(BusyEndingTest, APortHeldByAnotherTalvoEndsWithF) {
  // Windows refuses a second opener of a COM port; Wine does not (measured with Wine 8).
  if (E2eJob::UnderWine()) GTEST_SKIP() << "Wine lets a second program open a COM port";
  E2eJob holder(kSilentModem);
  holder.StartTalvo({"000N03SPEAKER"});
  // The holder has the port once it has sent its first command.
  ASSERT_TRUE(holder.AwaitCommand("ATZ", std::chrono::seconds(30)));

  E2eJob second(kQuickEndModem);
  const TalvoRun run = second.RunTalvo({"000N03SPEAKER"}, std::chrono::seconds(30),
                                       {{"TALVO_COM3", holder.PortName()}});
  ExpectBusyEnding(second, run, "3");
  EXPECT_EQ(second.Transcript(), "");

  holder.Signal(SIGINT);
  EXPECT_EQ(holder.Wait().exit_code, 0);
  EXPECT_FALSE(std::filesystem::exists(LockFileOf(holder.Port())))
      << "the holder left its lock file behind";
}

// A program that locks the port by the name it was given (a link to the device) holds it as
// well as one that locks the device.
TEST(PosixPortLockTest, ALiveUucpLockFileOfEitherNameHoldsThePort) {
  E2eJob job(kQuickEndModem);
  const std::string link_name = "modem-" + std::to_string(getpid());
  std::filesystem::create_symlink(job.Port(), job.Dir() / link_name);
  for (const auto& lock : {LockFileOf(job.Port()), LockFileOf("/dev/" + link_name)}) {
    SCOPED_TRACE(lock);
    // This test's own PID: were the test to die before it removes the file, the lock would be
    // stale and hold no port of a later test that gets the same pseudo-terminal.
    std::ofstream(lock) << "     " << getpid() << "\n";
    const TalvoRun run = job.RunTalvo({"000N03SPEAKER"}, std::chrono::seconds(30),
                                      {{"TALVO_COM3", (job.Dir() / link_name).string()}});
    std::filesystem::remove(lock);
    ExpectBusyEnding(job, run, "3");
    EXPECT_NE(job.Output().find("): held by another program (PID " + std::to_string(getpid()) +
                                ", " + lock.string() + ")\n"),
              std::string::npos)
        << job.Output();
  }
  EXPECT_EQ(job.Transcript(), "");
}

TEST(PosixPortLockTest, AnFlockHolderHoldsThePort) {
  E2eJob job(kQuickEndModem);
  const int fd = open(job.Port().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(flock(fd, LOCK_EX | LOCK_NB), 0);
  const TalvoRun run = job.RunTalvo({"000N03SPEAKER"});
  close(fd);
  ExpectBusyEnding(job, run, "3");
  EXPECT_EQ(job.Transcript(), "");
}

TEST(PosixPortLockTest, AStaleLockFileDoesNotStopTheJob) {
  E2eJob job(kQuickEndModem);
  const pid_t child = fork();
  if (child == 0) _exit(0);
  waitpid(child, nullptr, 0);
  const auto lock = LockFileOf(job.Port());
  std::ofstream(lock) << child << "\n";
  const TalvoRun run = job.RunTalvo({"000N03SPEAKER"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(job.ReadFile("talvin_3"), "$B$\r\n");
  EXPECT_FALSE(std::filesystem::exists(lock));
}
}  // namespace
