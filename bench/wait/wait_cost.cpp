// Measures what talvo's waits cost: the CPU share of a job that spends 15 s waiting for a
// silent modem (then 3 s paused and 5 s waiting again), and how fast talvo reacts to a reply
// that it acts on at once (the modem log's time from a reply to the next command).
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "support/e2e_job.h"

int main() {
  {
    E2eJob job("echo off\non \"*\":\n");
    const TalvoRun run = job.RunTalvo({"000N03SPEAKER"});
    std::printf("silent modem: wall %.2f s, cpu %.3f s, cpu/wall %.4f\n", run.seconds,
                run.cpu_seconds, run.cpu_seconds / run.seconds);
  }
  // The speaker path sends "AT #VLS=2" as soon as the modem's instant "OK" to "AT L3 M2"
  // arrives: the gap between the two commands is talvo's reaction time.
  std::chrono::milliseconds worst{0};
  std::chrono::milliseconds total{0};
  const int jobs = 5;
  for (int i = 0; i < jobs; ++i) {
    E2eJob job("on \"ATI3\": \"VMODEM\" \"OK\"\non \"AT #VLS=2\": \"BUSY\"\n");
    job.RunTalvo({"000N03SPEAKER"});
    const auto log = job.Log();
    const std::chrono::milliseconds reaction =
        log.CommandTime("AT #VLS=2") - log.CommandTime("AT L3 M2");
    worst = std::max(worst, reaction);
    total += reaction;
  }
  std::printf("reply-to-next-command: mean %.1f ms, worst %lld ms over %d jobs (1 ms log grain)\n",
              static_cast<double>(total.count()) / jobs, static_cast<long long>(worst.count()),
              jobs);
  return 0;
}
