#pragma once
#include <QTimer>

#include "platform/event_pump.h"
#include "platform/job_clock.h"

// Waits in Qt's event loop: processEvents(WaitForMoreEvents) sleeps in the kernel until a
// window event, serial data (the port's socket notifiers) or a precise timer at the deadline
// wakes it. A busy processEvents() loop would burn a core; a coarse timer fires up to 250 ms
// off.
class QtEventPump : public EventPump {
 public:
  explicit QtEventPump(JobClock& clock);
  void PumpEvents() override;
  void WaitForActivity(std::optional<JobTime> until) override;

 private:
  JobClock& clock_;
  QTimer deadline_;
};
