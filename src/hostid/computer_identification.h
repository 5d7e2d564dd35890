#pragma once
#include <ostream>
#include <string>

#include "host.h"

// Writes the computer name, followed by a blank and the adapter address when there is one, into
// `text`, and the version line of the command interpreter into `version`. The interpreter writes
// its version text into the file "ver" in the current directory, which is deleted again. When
// "ver" cannot be opened, the error line goes to `err`. When it gives no line, `version` becomes
// the system's own version line where the platform has one, and otherwise keeps what it held.
void GetComputerIdentification(Host& host, std::string& text, std::string& version,
                               std::ostream& err);
