// Measures a playback job against the line's pace: talvo plays a 60000-byte message (every
// byte value, DLEs shielded) to a vmodem call at 38400 baud, whose reads follow the line
// speed. The line never starves when the voice transmission lasts no longer than the line
// needs for its bytes; the target is a ratio of at most 1.02. For comparison it also times a
// writer that cannot starve the line (the whole message handed to the port at once), which
// shows what vmodem's own pacing costs. Also checks that the modem got the message byte for
// byte, and prints the job's CPU time: a wait that spun would show as a whole core.
//
// Run: bench/playback/run_playback_bench.sh [build dir]   (exit code 1 above 1.02 or on a
// corrupted message)
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "support/e2e_job.h"
#include "vmodem/escape.h"

namespace {

constexpr std::size_t kMessage = 60000;
constexpr int kBaud = 38400;
constexpr double kLimit = 1.02;
constexpr char kDle = 16;

// Random voice data with every DLE shielded, ended by DLE ETX.
std::string Message() {
  std::mt19937 random(4321);
  std::uniform_int_distribution<int> byte(0, 255);
  std::string data;
  while (data.size() < kMessage) {
    const char c = static_cast<char>(byte(random));
    if (c == kDle && data.size() + 2 > kMessage) continue;
    data += c;
    if (c == kDle) data += kDle;
  }
  return data + std::string{kDle, 3};
}

const std::string kModem = "baud " + std::to_string(kBaud) +
                           "\n"
                           "on \"ATI3\": \"VMODEM 56000 VOICE\" \"OK\"\n"
                           "on \"ATD5551234\": \"VCON\"\n"
                           "on \"AT #VTX\": \"CONNECT\" voice-tx\n";

// How long vmodem's voice transmission lasts, from its log.
double TransmitMs(E2eJob& job) {
  const auto log = job.Log();
  return static_cast<double>(
      (log.EventTime("voice-tx end") - log.EventTime("voice-tx start")).count());
}

// Reads from `fd` until `word` has come.
void ReadUntil(int fd, const std::string& word) {
  std::string got;
  char buffer[256];
  while (got.find(word) == std::string::npos) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) return;
    got.append(buffer, static_cast<std::size_t>(n));
  }
}

// The same transmission from a writer that hands the whole message to the port at once.
double BaselineTransmitMs(const std::string& message) {
  E2eJob job(kModem);
  const int fd = open(job.Port().c_str(), O_RDWR | O_NOCTTY);
  if (fd < 0) return -1;
  termios raw{};
  tcgetattr(fd, &raw);
  cfmakeraw(&raw);
  tcsetattr(fd, TCSANOW, &raw);
  const std::string command = "AT #VTX\r";
  bool written = write(fd, command.data(), command.size()) == static_cast<ssize_t>(command.size());
  ReadUntil(fd, "CONNECT");
  for (std::size_t at = 0; written && at < message.size();) {
    const ssize_t n = write(fd, message.data() + at, message.size() - at);
    written = n > 0;
    at += written ? static_cast<std::size_t>(n) : 0;
  }
  ReadUntil(fd, "VCON");
  close(fd);
  return written ? TransmitMs(job) : -1;
}

}  // namespace

int main() {
  const std::string message = Message();
  const double line_ms = static_cast<double>(message.size()) * 10 * 1000 / kBaud;
  const double baseline_ms = BaselineTransmitMs(message);

  E2eJob job(kModem);
  job.WriteFile("talvin_3", message);
  // One play, no digit wait, one retry: the job ends with "b" right after the message.
  job.WriteFile("params_3", "30\r\n1\r\nNO\r\n0\r\n");

  const TalvoRun run = job.RunTalvo({"001N035551234"}, std::chrono::seconds(120));
  const double cpu = run.cpu_seconds;

  const std::vector<std::string> voice = job.VoiceData();
  const bool intact = voice.size() == 1 && voice[0] == message;
  const double transmit_ms = TransmitMs(job);
  const double ratio = transmit_ms / line_ms;

  std::printf("talvo exit code          %d, marker %s", run.exit_code,
              job.ReadFile("talvin_3").c_str());
  std::printf("message at the modem     %zu bytes: %s\n", voice.empty() ? 0 : voice[0].size(),
              intact ? "identical" : "DIFFERENT");
  std::printf("line time of %zu bytes  %.0f ms at %d baud\n", message.size(), line_ms, kBaud);
  std::printf("voice transmit, talvo    %.0f ms: ratio %.4f (limit %.2f)\n", transmit_ms, ratio,
              kLimit);
  std::printf("voice transmit, baseline %.0f ms: ratio %.4f (a writer that never starves)\n",
              baseline_ms, baseline_ms / line_ms);
  std::printf("job CPU time             %.2f s over %.2f s of job wall time\n", cpu, run.seconds);
  return intact && run.exit_code == 0 && ratio <= kLimit ? EXIT_SUCCESS : EXIT_FAILURE;
}
