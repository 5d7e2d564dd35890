#include "win32/win32_event_pump.h"

#include <algorithm>
#include <utility>

DWORD WaitMilliseconds(std::optional<JobTime> until, JobTime now) {
  if (!until) return INFINITE;
  if (*until <= now) return 0;
  // INFINITE itself would mean no deadline: a wait longer than 49 days wakes once on the way.
  return static_cast<DWORD>(std::min<JobTime::rep>((*until - now).count(), INFINITE - 1));
}

void Win32EventPump::Watch(HANDLE event, std::function<void()> handler) {
  events_.push_back(event);
  handlers_.push_back(std::move(handler));
}

void Win32EventPump::PumpEvents() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      if (quit_) quit_();
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  for (std::size_t i = 0; i < events_.size(); ++i) {
    if (WaitForSingleObject(events_[i], 0) == WAIT_OBJECT_0) handlers_[i]();
  }
}

void Win32EventPump::WaitForActivity(std::optional<JobTime> until) {
  const DWORD timeout = WaitMilliseconds(until, clock_.Now());
  if (timeout == 0) return;
  MsgWaitForMultipleObjectsEx(static_cast<DWORD>(events_.size()), events_.data(), timeout,
                              QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  PumpEvents();
}
