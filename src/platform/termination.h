#pragma once

// Ends the program at once, after the trace file has been written. No window event runs
// afterwards. Test doubles throw instead, so a test can inspect what the job left behind.
class Termination {
 public:
  virtual ~Termination() = default;
  [[noreturn]] virtual void Terminate() = 0;
};
