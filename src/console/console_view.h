#pragma once
#include <QPlainTextEdit>
#include <QString>
#include <QTimer>

#include "console/memory_text_box.h"
#include "modem/serial_control.h"

class QKeyEvent;

// The console as the user sees it: a read-only mirror of the in-memory console. Changes are
// coalesced into one refresh per pass of the event loop, and a refresh rewrites only the part
// that differs from what is shown, so echoing modem data byte by byte stays cheap. Typed keys
// never edit the view; they go to the key pass-through, which changes the console, which the
// view then shows.
class ConsoleView : public QPlainTextEdit {
  Q_OBJECT

 public:
  ConsoleView(MemoryTextBox& console, SerialControl& serial, QWidget* parent = nullptr);
  ~ConsoleView() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Refresh();

  MemoryTextBox& console_;
  SerialControl& serial_;
  QTimer refresh_;
  QString shown_;
};
