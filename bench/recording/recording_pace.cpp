// Measures a recording job at the line's pace: vmodem streams a full buffer of 190000 bytes
// (every byte value, DLEs shielded) and 1000 more at 38400 baud, about 50 seconds. Checks that
// the result file holds the first 190000 bytes exactly, and prints the job's CPU time against
// the reception's wall time: a wait that spun would show as a whole core.
//
// Run: build/release/bin/bench_recording   (exit code 1 when a byte was lost or altered)

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "support/e2e_job.h"
#include "vmodem/escape.h"

namespace {

constexpr std::size_t kBuffer = 190000;
constexpr char kDle = 16;

// Random voice bytes with every DLE shielded; the last stored byte is no DLE, so nothing of
// the full buffer is dropped as an open sequence.
std::string Stream() {
  std::mt19937 random(1234);
  std::uniform_int_distribution<int> byte(0, 255);
  std::string data;
  while (data.size() < kBuffer + 1000) {
    const char c = static_cast<char>(byte(random));
    data += c;
    if (c == kDle) data += kDle;
  }
  data.resize(kBuffer + 1000);
  data[kBuffer - 1] = 'x';
  return data;
}

}  // namespace

int main() {
  const std::string stream = Stream();
  E2eJob job(
      "baud 38400\n"
      "on \"ATI3\": \"VMODEM VOICE\" \"OK\"\n"
      "on \"AT #VLS=*\": \"VCON\"\n"
      "on \"AT #VTX\": \"CONNECT\" voice-tx\n"
      "on \"AT #VRX\": \"CONNECT\" voice-rx " +
      vmodem::QuoteBytes(stream) + "\n");

  const TalvoRun run = job.RunTalvo({"011N03"}, std::chrono::seconds(180));
  const double cpu = run.cpu_seconds;

  const std::string stored = job.ReadFile("talvin_3");
  const std::string expected = stream.substr(0, kBuffer) + std::string{kDle, 3};
  std::size_t first_difference = 0;
  while (first_difference < stored.size() && first_difference < expected.size() &&
         stored[first_difference] == expected[first_difference]) {
    ++first_difference;
  }
  const bool intact = stored == expected;

  const auto log = job.Log();
  const double reception =
      std::chrono::duration<double>(log.EventTime("voice-rx end") - log.EventTime("voice-rx start"))
          .count();

  std::printf("talvo exit code          %d\n", run.exit_code);
  std::printf("result file              %zu bytes, expected %zu: %s\n", stored.size(),
              expected.size(), intact ? "identical" : "DIFFERENT");
  if (!intact) std::printf("first difference at byte %zu\n", first_difference);
  std::printf("job wall time            %.2f s\n", run.seconds);
  std::printf("reception wall time      %.2f s (%.0f bytes/s)\n", reception,
              static_cast<double>(kBuffer) / reception);
  std::printf("job CPU time             %.2f s\n", cpu);
  std::printf("CPU / reception wall     %.2f %% (upper bound: counts the whole job's CPU)\n",
              100.0 * cpu / reception);
  return intact && run.exit_code == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
