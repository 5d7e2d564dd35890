// The vmodem program itself, over a real pseudo-terminal and on real time (well under a
// second).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "child_process.h"
#include "modem_log.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPatience = std::chrono::seconds(2);

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Reads from `fd` until `done` holds for what was read, or the patience runs out.
template <typename Done>
std::string ReadUntil(int fd, Done done) {
  std::string got;
  const auto deadline = Clock::now() + kPatience;
  while (!done(got) && Clock::now() < deadline) {
    pollfd p{fd, POLLIN, 0};
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (poll(&p, 1, static_cast<int>(left)) <= 0) continue;
    char buffer[256];
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) break;
    got.append(buffer, static_cast<std::size_t>(n));
  }
  return got;
}

class VmodemProgram : public testing::Test {
 protected:
  VmodemProgram()
      : dir_(std::filesystem::temp_directory_path() / ("vmodem-pty-" + std::to_string(getpid()))) {
    std::filesystem::create_directories(dir_);
  }
  ~VmodemProgram() override {
    vmodem_.reset();
    std::filesystem::remove_all(dir_);
  }

  // Starts vmodem with `scenario`; its standard output and error go to one file, output_.
  void Start(std::string_view scenario, std::vector<std::string> options) {
    std::ofstream(dir_ / "modem.vms") << scenario;
    std::vector<std::string> args = {VMODEM_BIN, (dir_ / "modem.vms").string()};
    args.insert(args.end(), options.begin(), options.end());
    vmodem_.emplace(args, ChildOptions{.stdout_file = output_, .stderr_file = output_});
  }

  // Waits for the program to end; returns its exit status.
  int Finish(int signo) {
    if (signo != 0) vmodem_->Signal(signo);
    return vmodem_->Wait().exit_code;
  }

  std::string Talk(const std::filesystem::path& port, std::string_view command,
                   std::string_view last) {
    const int fd = open(port.c_str(), O_RDWR | O_NOCTTY);
    EXPECT_GE(fd, 0) << port;
    EXPECT_EQ(write(fd, command.data(), command.size()), static_cast<ssize_t>(command.size()));
    std::string reply = ReadUntil(fd, [&](const std::string& got) { return got.ends_with(last); });
    close(fd);
    return reply;
  }

  std::filesystem::path dir_;
  std::filesystem::path output_ = dir_ / "output";
  std::optional<ChildProcess> vmodem_;
};

TEST_F(VmodemProgram, AnswersOverItsPortAcrossReopensAndWritesItsFilesOnSigterm) {
  const std::filesystem::path link = dir_ / "modem";
  Start("on \"ATI3\": \"VMODEM 56000 VOICE\" \"OK\"\non \"AT #VTX\": \"CONNECT\" voice-tx\n",
        {"--link", link.string(), "--transcript", (dir_ / "transcript").string(), "--log",
         (dir_ / "log").string(), "--voice-out", (dir_ / "voice").string()});
  const std::string first_line = vmodem_->AwaitFirstLine(output_, kPatience);
  ASSERT_TRUE(first_line.starts_with("/dev/pts/")) << first_line;
  EXPECT_EQ(std::filesystem::read_symlink(link).string(), first_line);

  EXPECT_EQ(Talk(link, "ATI3\r", "OK\r\n"), "ATI3\r\r\nVMODEM 56000 VOICE\r\n\r\nOK\r\n");
  // Closing the port in between must not hang the line up.
  EXPECT_EQ(Talk(link, "AT #VTX\r", "CONNECT\r\n"), "AT #VTX\r\r\nCONNECT\r\n");
  EXPECT_EQ(Talk(link, "ab\x10\x10\x10\x03", "VCON\r\n"), "\r\nVCON\r\n");

  EXPECT_EQ(Finish(SIGTERM), 0);
  EXPECT_EQ(ReadAll(dir_ / "transcript"), "ATI3\rAT #VTX\rab\x10\x10\x10\x03");
  EXPECT_EQ(ReadAll(dir_ / "voice.1"), "ab\x10\x10\x10\x03");
  const ModemLog log = ModemLog::Read(dir_ / "log");  // throws on a line not "<ms> <event>"
  EXPECT_EQ(log.Commands(), (std::vector<std::string>{"ATI3", "AT #VTX"}));
  EXPECT_NE(log.EventTime("voice-tx end 6 bytes"), std::chrono::milliseconds(-1));
  EXPECT_FALSE(std::filesystem::is_symlink(link));
}

TEST_F(VmodemProgram, RefusesABadScenarioNamingTheLine) {
  Start("echo off\non \"AT\" \"OK\"\n", {});
  EXPECT_EQ(Finish(0), 2);
  const std::string message = ReadAll(output_);
  EXPECT_NE(message.find("line 2: expected ':' after the pattern"), std::string::npos) << message;
}

}  // namespace
