#pragma once
#include <cstdlib>

// Ends the program at once, after the trace file has been written. No window event runs
// afterwards. Test doubles throw from Stop instead, so a test can inspect what the job left
// behind. Implementations override Stop, which must not return.
class Termination {
 public:
  virtual ~Termination() = default;
  [[noreturn]] void Terminate() {
    Stop();
    std::abort();  // a Stop that returned would let an ended job run on
  }

 private:
  virtual void Stop() = 0;
};
