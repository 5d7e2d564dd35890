#pragma once
#include <chrono>
#include <thread>

#include "platform/sleeper.h"

class ThreadSleeper : public Sleeper {
 public:
  void Sleep(int ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};
