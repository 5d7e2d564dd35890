#include <windows.h>

#include <cstdio>

#include "platform/process_termination.h"

void ProcessTermination::Stop() {
  release_();
  std::fflush(nullptr);
  ExitProcess(0);
}
