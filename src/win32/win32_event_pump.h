#pragma once
// The job's waits on Windows. Everything that can wake the job is either the thread's message
// queue (the window) or a kernel event that the pump watches: the serial port's I/O completions
// and the console's control events. WaitForActivity sleeps in MsgWaitForMultipleObjectsEx on
// all of them at once, until the job clock's deadline, and then pumps; PumpEvents dispatches
// every queued message (the window's handlers run there, nested inside the job's wait) and runs
// the handler of every watched event that is set. So nothing polls: the thread wakes for a
// reason, within the scheduler's latency. While the user holds the menu open or drags the window,
// Windows runs a loop of its own inside the dispatch, and the job waits until it ends.
//
// Watched events are manual-reset: the wait that wakes on one must not consume what the pump then
// looks for. A handler leaves its event reset (or never returns), or every later wait would end
// at once and the job would spin. The queue's input counts whether or not a message was seen
// before (MWMO_INPUTAVAILABLE), so a message that a handler posts while the job runs cannot sleep
// in the queue.
//
// WM_QUIT: talvo never posts it, and the job never returns to a loop that would end on it. One
// that arrives (another program asking the thread to end) runs the quit handler, which is the
// window shutdown, as the console's close is.
#include <windows.h>

#include <functional>
#include <optional>
#include <vector>

#include "platform/event_pump.h"
#include "platform/job_clock.h"

// How long a wait until `until` sleeps at `now`, in milliseconds for a Win32 wait: INFINITE
// without a deadline, 0 once it has come.
DWORD WaitMilliseconds(std::optional<JobTime> until, JobTime now);

class Win32EventPump : public EventPump {
 public:
  explicit Win32EventPump(JobClock& clock) : clock_(clock) {}

  // `handler` runs on the job's thread, from a wait, while `event` is set.
  void Watch(HANDLE event, std::function<void()> handler);
  void OnQuit(std::function<void()> quit) { quit_ = std::move(quit); }

  void PumpEvents() override;
  void WaitForActivity(std::optional<JobTime> until) override;

 private:
  JobClock& clock_;
  std::vector<HANDLE> events_;
  std::vector<std::function<void()>> handlers_;
  std::function<void()> quit_;
};
