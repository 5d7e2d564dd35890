// Measures what a byte costs talvo when it comes in a flood: the modem answers "ATI3" with a
// megabyte of noise and no line end, as fast as the pseudo-terminal takes it, and the job then
// goes on to its end ("$B$"). The same job without the noise is the baseline; the difference
// in talvo's CPU time, divided by the noise's bytes, is the cost of a byte. The target is at
// most 1 µs a byte.
//
// Run: build/<preset>/bin/bench_flood   (exit code 1 above the target or on a wrong outcome)
#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/e2e_job.h"

namespace {

constexpr long kNoise = 1'000'000;
constexpr double kTargetMicroseconds = 1.0;

// The modem's name is the noise, or "VMODEM" without it.
TalvoRun RunFlooded(long noise) {
  const std::string name = noise > 0 ? "\"\" flood " + std::to_string(noise) : "\"VMODEM\"";
  E2eJob job("on \"ATI3\": " + name + " \"OK\"\non \"AT #VLS=2\": \"BUSY\"\n");
  const TalvoRun run = job.RunTalvo({"000N03SPEAKER"}, std::chrono::seconds(120));
  if (run.exit_code != 0 || job.ReadFile("talvin_3") != "$B$\r\n") {
    std::printf("the job with %ld bytes of noise did not end as busy\n", noise);
    std::exit(EXIT_FAILURE);
  }
  return run;
}

}  // namespace

int main() {
  const TalvoRun quiet = RunFlooded(0);
  const TalvoRun flooded = RunFlooded(kNoise);
  const double per_byte = (flooded.cpu_seconds - quiet.cpu_seconds) * 1e6 / kNoise;
  std::printf("without noise            wall %.2f s, cpu %.3f s\n", quiet.seconds,
              quiet.cpu_seconds);
  std::printf("with %ld bytes      wall %.2f s, cpu %.3f s\n", kNoise, flooded.seconds,
              flooded.cpu_seconds);
  std::printf("cpu per byte of noise    %.2f us (target %.1f us)\n", per_byte, kTargetMicroseconds);
  return per_byte <= kTargetMicroseconds ? EXIT_SUCCESS : EXIT_FAILURE;
}
