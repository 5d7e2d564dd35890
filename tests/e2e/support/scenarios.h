#pragma once
// Scenario snippets shared by the end-to-end tests.
#include <string>

// A voice modem that identifies itself and reports BUSY for the speaker: the quickest way
// through a whole job (set-up, a call outcome, the end sequence).
inline const std::string kQuickEndModem =
    "on \"ATI3\": \"VMODEM 56K VOICE\" \"OK\"\n"
    "on \"AT #VLS=2\": \"BUSY\"\n";

// A modem that never answers.
inline const std::string kSilentModem = "echo off\non \"*\":\n";

inline constexpr char kEndLine[] = "****  End of TAL_VO  ****  \r\n";
