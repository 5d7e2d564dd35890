#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <ostream>
#include <string>

#include "console/term_write.h"

void PrintTo(const QString& text, std::ostream* out) {
  *out << text.toStdString();
}

namespace {

class MainWindowTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "unit_ui";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
  }
  static void TearDownTestSuite() { app_.reset(); }

  QPlainTextEdit* Term() { return window_.findChild<QPlainTextEdit*>("Term"); }
  QAction* ExitItem() { return window_.findChild<QAction*>("MFileExit"); }

  // What the view must show for the console's bytes: one line break for CR LF, and one for a
  // CR or LF standing alone.
  static QString Shown(const MemoryTextBox& console) {
    return QString::fromLatin1(console.Text())
        .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(u'\r', u'\n');
  }

  static std::unique_ptr<QApplication> app_;
  MemoryTextBox console_;
  std::string sent_;
  ByteSink keys_ = [this](std::string_view bytes) { sent_ += bytes; };
  MainWindow window_{console_, keys_};
};

std::unique_ptr<QApplication> MainWindowTest::app_;

TEST_F(MainWindowTest, TitleMenuAndInitialLayout) {
  EXPECT_EQ(window_.windowTitle(), "TALVO");
  const QList<QAction*> menus = window_.menuBar()->actions();
  ASSERT_EQ(menus.size(), 1);
  EXPECT_EQ(menus[0]->text(), "&File");
  ASSERT_NE(menus[0]->menu(), nullptr);
  ASSERT_EQ(menus[0]->menu()->actions().size(), 1);
  EXPECT_EQ(menus[0]->menu()->actions()[0]->text(), "E&xit");

  window_.show();
  QCoreApplication::processEvents();
  EXPECT_EQ(window_.centralWidget()->size(), QSize(484, 257));
  EXPECT_EQ(Term()->geometry(), QRect(0, 17, 484, 242));

  // Too low for the rule: the console keeps its place; a usable size moves it again.
  window_.centralWidget()->resize(300, 10);
  EXPECT_EQ(Term()->geometry(), QRect(0, 17, 484, 242));
  window_.centralWidget()->resize(300, 100);
  EXPECT_EQ(Term()->geometry(), QRect(0, 17, 300, 85));
}

TEST_F(MainWindowTest, ViewMirrorsEveryKindOfConsoleChange) {
  struct {
    const char* name;
    std::string before;
    const char* message;
  } const cases[] = {
      {.name = "append", .before = "Hello\r\n", .message = "World\r"},
      {.name = "leading backspace leaves a lone CR", .before = "Hello\r\n", .message = "\bX"},
      {.name = "erase inside the message", .before = "ok\r\n", .message = "AB\bC\r"},
      {.name = "cut at the cap", .before = std::string(16380, 'z') + "\r\nzz", .message = "cut\r"},
      {.name = "Latin-1", .before = "", .message = "\xE9t\xE9\r"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryTextBox console;
    console.SetText(c.before);
    MainWindow window(console, keys_);
    window.show();
    TermWrite(console, c.message);
    QCoreApplication::processEvents();
    auto* term = window.findChild<QPlainTextEdit*>("Term");
    EXPECT_EQ(term->toPlainText(), Shown(console));
    EXPECT_EQ(term->textCursor().position(), term->toPlainText().size());
  }
}

TEST_F(MainWindowTest, ViewCatchesUpAfterABurst) {
  window_.show();
  for (int i = 0; i < 300; ++i) {
    TermWrite(console_, i % 30 == 29 ? "\r" : "e");
    QCoreApplication::processEvents();
  }
  QSignalSpy refreshed(Term(), &QPlainTextEdit::textChanged);
  if (Term()->toPlainText() != Shown(console_)) refreshed.wait(1000);
  EXPECT_EQ(Term()->toPlainText(), Shown(console_));
}

TEST_F(MainWindowTest, TypedKeysGoThroughThePassThrough) {
  window_.show();
  QTest::keyClicks(Term(), "at");
  QTest::keyClick(Term(), Qt::Key_Return);
  QTest::keyClick(Term(), 'x');
  QTest::keyClick(Term(), Qt::Key_Backspace);
  EXPECT_EQ(sent_, "at\rx\b");
  EXPECT_EQ(console_.Text(), "at\r\n");
  QCoreApplication::processEvents();
  EXPECT_EQ(Term()->toPlainText(), "at\n");
}

TEST_F(MainWindowTest, JobStartsOnceAfterTheFirstShow) {
  int runs = 0;
  window_.OnFirstShow([&] { ++runs; });
  window_.show();
  EXPECT_EQ(runs, 0);
  QCoreApplication::processEvents();
  EXPECT_EQ(runs, 1);
  window_.hide();
  window_.show();
  QCoreApplication::processEvents();
  EXPECT_EQ(runs, 1);
}

TEST_F(MainWindowTest, CloseBoxAndExitRunTheShutdown) {
  int shutdowns = 0;
  window_.OnShutdown([&] { ++shutdowns; });
  window_.show();
  ExitItem()->trigger();
  EXPECT_EQ(shutdowns, 1);
  EXPECT_TRUE(window_.close());
  EXPECT_EQ(shutdowns, 2);
}

TEST_F(MainWindowTest, DisplayStates) {
  window_.show();
  EXPECT_TRUE(window_.SetWindowState(2));
  EXPECT_TRUE(window_.windowState() & Qt::WindowMaximized);
  EXPECT_TRUE(window_.SetWindowState(1));
  EXPECT_TRUE(window_.windowState() & Qt::WindowMinimized);
  EXPECT_TRUE(window_.SetWindowState(0));
  EXPECT_FALSE(window_.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
  EXPECT_FALSE(window_.SetWindowState(3));
  EXPECT_FALSE(window_.SetWindowState(-1));
}

}  // namespace
