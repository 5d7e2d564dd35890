#include "win32/win32_console_control.h"

#include <windows.h>

#include <utility>

namespace {
HANDLE control_event = nullptr;

BOOL WINAPI OnControl(DWORD type) {
  SetEvent(control_event);
  if (type == CTRL_C_EVENT || type == CTRL_BREAK_EVENT) return TRUE;
  Sleep(INFINITE);  // until the shutdown ends the process
  return TRUE;
}
}  // namespace

void RouteConsoleControl(Win32EventPump& events, std::function<void()> shutdown) {
  control_event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (control_event == nullptr) return;
  events.Watch(control_event, [shutdown = std::move(shutdown)] {
    ResetEvent(control_event);
    shutdown();
  });
  SetConsoleCtrlHandler(OnControl, TRUE);
}
