#include "ui/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QFont>
#include <QMenu>
#include <QMenuBar>
#include <QShowEvent>
#include <QTimer>
#include <utility>

#include "console/layout_rule.h"
#include "ui/client_area.h"
#include "ui/console_view.h"

namespace {

// The client area the window opens with, in twips.
constexpr int kInitialWidth = 7260;
constexpr int kInitialHeight = 3855;

}  // namespace

MainWindow::MainWindow(MemoryTextBox& console, ByteSink keys) {
  setWindowTitle(QStringLiteral("TALVO"));
  QFont window_font(QStringLiteral("Sans Serif"));
  window_font.setStyleHint(QFont::SansSerif);
  window_font.setPointSizeF(8.25);
  window_font.setBold(true);
  setFont(window_font);

  QMenu* file_menu = menuBar()->addMenu(QStringLiteral("&File"));
  file_menu->setObjectName(QStringLiteral("MFile"));
  QAction* exit = file_menu->addAction(QStringLiteral("E&xit"));
  exit->setObjectName(QStringLiteral("MFileExit"));
  connect(exit, &QAction::triggered, this, &MainWindow::Shutdown);

  auto* term = new ConsoleView(console, std::move(keys));
  term->setObjectName(QStringLiteral("Term"));
  setCentralWidget(new ClientArea(term));
  term->setFocus();

  resize(kInitialWidth / kTwipsPerPixel,
         kInitialHeight / kTwipsPerPixel + menuBar()->sizeHint().height());
}

void MainWindow::OnFirstShow(std::function<void()> job) {
  job_ = std::move(job);
}

void MainWindow::OnShutdown(std::function<void()> shutdown) {
  shutdown_ = std::move(shutdown);
}

bool MainWindow::SetWindowState(int state) {
  Qt::WindowStates wanted;
  switch (state) {
    case 0:
      wanted = Qt::WindowNoState;
      break;
    case 1:
      wanted = Qt::WindowMinimized;
      break;
    case 2:
      wanted = Qt::WindowMaximized;
      break;
    default:
      return false;
  }
  setWindowState((windowState() & Qt::WindowActive) | wanted);
  return true;
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shown_) return;
  shown_ = true;
  // The show event comes before the window is on screen; the job must start after it.
  QTimer::singleShot(0, this, [this] {
    if (job_) job_();
  });
}

// Closing never asks and is never refused; the shutdown normally ends the program right here.
void MainWindow::closeEvent(QCloseEvent* event) {
  Shutdown();
  event->accept();
}

void MainWindow::Shutdown() {
  if (shutdown_) shutdown_();
}
