#pragma once
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTimer>
#include <cstddef>
#include <string>

#include "console/memory_text_box.h"
#include "console/term_key_press.h"

class QKeyEvent;

// The console as the user sees it: a read-only mirror of the in-memory console. The job echoes
// modem data one byte at a time and yields to the event loop after each, and every refresh
// costs the text layout and a repaint; so the view catches up at once after a quiet spell but
// at most once a frame during a burst, and it rewrites only the part that differs from what it
// shows. Typed keys never edit the view; they go to the key pass-through, which changes the
// console, which the view then shows.
class ConsoleView : public QPlainTextEdit {
  Q_OBJECT

 public:
  ConsoleView(MemoryTextBox& console, ByteSink keys, QWidget* parent = nullptr);
  ~ConsoleView() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void ScheduleRefresh();
  void Refresh();
  // Where a byte position of the console lies in the text shown.
  int ShownPosition(std::size_t byte_pos) const;

  MemoryTextBox& console_;
  ByteSink keys_;
  QTimer refresh_;
  QElapsedTimer since_refresh_;  // invalid until the first refresh
  std::string shown_;            // the console's bytes as last shown
  int shown_length_ = 0;
};
