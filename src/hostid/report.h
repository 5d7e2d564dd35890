#pragma once
#include <ostream>

#include "host.h"

// Clears the console and prints the five-line identification of the host to `out`: banner,
// computer identification, host name, IP address and the operating-system version line. The one
// error line goes to `err`.
void PrintReport(Host& host, std::ostream& out, std::ostream& err);
