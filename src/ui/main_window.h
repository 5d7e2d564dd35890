#pragma once
#include <QMainWindow>
#include <functional>

#include "console/memory_text_box.h"
#include "console/term_key_press.h"
#include "console/window.h"

class QCloseEvent;
class QShowEvent;

// Talvo's one window: the File menu with its Exit item, the rule under the menu and the
// console. The window starts the job once it is on screen and hands the close box and
// File > Exit to the shutdown, which ends the program.
class MainWindow : public QMainWindow, public Window {
  Q_OBJECT

 public:
  MainWindow(MemoryTextBox& console, ByteSink keys);

  // `job` runs once, through a zero-delay queued call after the window is first shown (never
  // synchronously inside the show event, or the window is never painted).
  void OnFirstShow(std::function<void()> job);
  // `shutdown` runs for the close box and for File > Exit (the same steps). It never returns
  // in the real program (it terminates the process); the close is never refused.
  void OnShutdown(std::function<void()> shutdown);
  // 0 normal, 1 minimised, 2 maximised; others refused.
  bool SetWindowState(int state) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Shutdown();

  std::function<void()> job_;
  std::function<void()> shutdown_;
  bool shown_ = false;
};
