#pragma once

// A blocking pause: the thread sleeps and the window handles no events meanwhile.
class Sleeper {
 public:
  virtual ~Sleeper() = default;
  virtual void Sleep(int ms) = 0;
};
