#pragma once
// Where talvo's window runs. A calling script may start talvo on a headless server (no display
// named) or with a display that has gone (an ended session, a closed tunnel): the window then
// runs offscreen and the job goes on. A platform the caller chose in QT_QPA_PLATFORM stands.

// Before Qt starts: the display the environment names, with offscreen as the fallback. Returns
// whether talvo chose the platform (false when the caller did).
bool ChooseWindowPlatform();

// Once Qt has started on a platform talvo chose: one line on stderr when a named display could
// not be opened.
void ReportDisplayFallback();

// stderr carries talvo's own diagnostics: Qt's notices and warnings are kept off it, its errors
// are not.
void QuietQtMessages();
