#pragma once
// A fuzz target's checks. A broken one aborts, and libFuzzer keeps the input that broke it.
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition) ((condition) ? void() : FailedCheck(#condition, __FILE__, __LINE__))

[[noreturn]] inline void FailedCheck(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
  std::abort();
}
