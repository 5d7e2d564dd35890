// Measures what talvo's waits cost: the CPU share of a job that spends 15 s waiting for a
// silent modem (then 3 s paused and 5 s waiting again), and how fast talvo reacts to a reply
// that it acts on at once (the modem log's time from a reply to the next command).
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "support/e2e_job.h"

namespace {
long LogTime(const std::vector<std::string>& log, const std::string& text) {
  for (const std::string& line : log) {
    std::istringstream in(line);
    long ms = 0;
    std::string rest;
    in >> ms;
    std::getline(in >> std::ws, rest);
    if (rest == text) return ms;
  }
  return -1;
}
}  // namespace

int main() {
  {
    E2eJob job("echo off\non \"*\":\n");
    const TalvoRun run = job.RunTalvo({"000N03SPEAKER"});
    std::printf("silent modem: wall %.2f s, cpu %.3f s, cpu/wall %.4f\n", run.seconds,
                run.cpu_seconds, run.cpu_seconds / run.seconds);
  }
  // The speaker path sends "AT #VLS=2" as soon as "OK" to "AT L3 M2" arrives, and the
  // identification's "OK" is answered by nothing but the 100 ms pause.
  long worst = 0;
  long total = 0;
  const int jobs = 5;
  for (int i = 0; i < jobs; ++i) {
    E2eJob job("on \"ATI3\": \"VMODEM\" \"OK\"\non \"AT #VLS=2\": \"BUSY\"\n");
    job.RunTalvo({"000N03SPEAKER"});
    const auto log = job.Log();
    const long reaction = LogTime(log, "command AT #VLS=2") - LogTime(log, "command AT L3 M2");
    worst = std::max(worst, reaction);
    total += reaction;
  }
  std::printf("reply-to-next-command: mean %.1f ms, worst %ld ms over %d jobs (1 ms log grain)\n",
              static_cast<double>(total) / jobs, worst, jobs);
  return 0;
}
