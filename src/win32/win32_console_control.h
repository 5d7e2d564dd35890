#pragma once
// Ctrl+C and Ctrl+Break, closing the console, logging off and shutting down run `shutdown` from
// the job's thread, inside whatever wait the job is in, as the close box does, so a calling
// script that ends a job never leaves the line off hook. Windows calls the handler on a thread
// of its own; the handler only sets an event that the pump watches. For a closing console,
// log-off and shut-down, Windows ends the process as soon as the handler returns: that handler
// never returns, and the shutdown ends the process itself once the job files are written.
#include <functional>

#include "win32/win32_event_pump.h"

void RouteConsoleControl(Win32EventPump& events, std::function<void()> shutdown);
