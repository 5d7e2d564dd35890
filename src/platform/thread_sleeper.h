#pragma once
#include <thread>

#include "platform/sleeper.h"

class ThreadSleeper : public Sleeper {
 public:
  void Sleep(std::chrono::milliseconds pause) override { std::this_thread::sleep_for(pause); }
};
