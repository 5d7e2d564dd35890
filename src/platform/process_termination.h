#pragma once
#include <functional>

#include "platform/termination.h"

// Ends the process at once (no further window event runs) after `release`, which closes the
// serial port so its lock is not left behind.
class ProcessTermination : public Termination {
 public:
  explicit ProcessTermination(std::function<void()> release) : release_(std::move(release)) {}

 private:
  void Stop() override;
  std::function<void()> release_;
};
