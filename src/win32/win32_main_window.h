#pragma once
// Talvo's one window: the File menu with its Exit item, the grey rule under the menu and the
// console. Its first showing posts a message that starts the job, so that the job runs from the
// message queue after the window is on screen (never inside WM_SHOWWINDOW). The close box,
// File > Exit and the end of the Windows session run the shutdown, which ends the program. With
// no display no window can be made: the job then runs without one, and the window's state is
// only checked.
#include <windows.h>

#include <functional>
#include <optional>

#include "console/layout_rule.h"
#include "console/memory_text_box.h"
#include "console/term_key_press.h"
#include "console/window.h"
#include "win32/win32_console_view.h"

class Win32MainWindow : public Window {
 public:
  Win32MainWindow(MemoryTextBox& console, ByteSink keys);
  ~Win32MainWindow() override;
  Win32MainWindow(const Win32MainWindow&) = delete;
  Win32MainWindow& operator=(const Win32MainWindow&) = delete;

  // `job` runs once, from the message posted after the window is first shown.
  void OnFirstShow(std::function<void()> job);
  // `shutdown` runs for the close box, File > Exit and the session's end. It never returns in
  // the real program (it terminates the process); the close is never refused.
  void OnShutdown(std::function<void()> shutdown);
  // Makes the window and shows it; false when no window can be made.
  bool Show();
  // 0 normal, 1 minimised, 2 maximised; others refused.
  bool SetWindowState(int state) override;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  // Places the console for a client area of `width` x `height` pixels; a size the layout rule
  // cannot serve keeps the last placement.
  void Place(int width, int height);
  void PaintRule();
  void Shutdown();

  Win32ConsoleView view_;
  HWND window_ = nullptr;
  std::optional<Layout> layout_;
  std::function<void()> job_;
  std::function<void()> shutdown_;
  bool shown_ = false;
};
