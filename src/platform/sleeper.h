#pragma once
#include <chrono>

// A blocking pause: the thread sleeps and the window handles no events meanwhile.
class Sleeper {
 public:
  virtual ~Sleeper() = default;
  virtual void Sleep(std::chrono::milliseconds pause) = 0;
};
