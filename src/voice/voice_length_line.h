#pragma once
// The console line that tells the size of the message about to play, or of the recording just
// taken: "****  Vocal message contains 009002 characters  ****".
#include <cstddef>
#include <string>

std::string VoiceLengthLine(std::size_t length);
