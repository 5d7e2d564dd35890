#pragma once
// The console as the user sees it: a read-only EDIT control that mirrors the in-memory console.
// Each byte shows as the Latin-1 character of its value, so a position in the console is the
// same position in the control (CR LF is the control's own line break). The job echoes modem
// data a byte at a time and yields after each, and every refresh costs the control a layout and
// a repaint; so the view catches up with a posted message after a quiet spell, but at most once
// a frame (a timer) during a burst, and it rewrites only the part that differs from what it
// shows. Typed characters never edit the control: its WM_CHAR goes to the key pass-through,
// which changes the console, which the view then shows.
#include <windows.h>

#include <string>

#include "console/memory_text_box.h"
#include "console/term_key_press.h"

class Win32ConsoleView {
 public:
  Win32ConsoleView(MemoryTextBox& console, ByteSink keys);
  ~Win32ConsoleView();
  Win32ConsoleView(const Win32ConsoleView&) = delete;
  Win32ConsoleView& operator=(const Win32ConsoleView&) = delete;

  // Makes the control, a child of `parent`, and starts following the console; false when it
  // cannot be made.
  bool Create(HWND parent);
  HWND Handle() const { return edit_; }

 private:
  static LRESULT CALLBACK Procedure(HWND edit, UINT message, WPARAM wparam, LPARAM lparam);
  void ScheduleRefresh();
  void Refresh();

  MemoryTextBox& console_;
  ByteSink keys_;
  HWND edit_ = nullptr;
  WNDPROC edit_procedure_ = nullptr;  // the EDIT class's own
  HFONT font_ = nullptr;
  bool refresh_pending_ = false;
  ULONGLONG refreshed_at_ = 0;  // GetTickCount64 of the last refresh
  std::string shown_;           // the console's bytes as last shown
};
