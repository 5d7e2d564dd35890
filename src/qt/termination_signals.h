#pragma once
#include <functional>

// SIGTERM, SIGINT and SIGHUP run `shutdown` from the window's event loop, as the close box
// does, so a calling script that kills a job never leaves the line off hook. The signal
// handler only writes to a pipe; the event loop notices it at the job's next wait.
void RouteTerminationSignals(std::function<void()> shutdown);
