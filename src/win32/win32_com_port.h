#pragma once
// What a COM port is to Windows, apart from any open handle: the device that COMn names, the
// line settings as a DCB, and why Windows would not open it, in the user's words.
#include <windows.h>

#include <string>

#include "modem/line_settings.h"

// The device path of COMn: `configured` (the text of TALVO_COM<n>, null when unset) names the
// port, either as "COM12" or as "\\.\COM12"; unset, COMn itself. Ports above COM9 open only by
// the "\\.\" path, so every port is opened by it.
std::string ComDevicePath(int port, const char* configured);

// The line settings with RTS/CTS handshake and DTR raised, binary, no software flow control,
// and line errors that never stop the port.
DCB ComDcb(const LineSettings& settings);

// Why opening or setting up the port failed, for stderr: "no such device", "in use by another
// program", ...; Windows's own text for the rarer failures.
std::string DescribeOpenError(DWORD error);
