#include "console/console_view.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QKeySequence>
#include <QTextCursor>
#include <algorithm>
#include <string>

#include "console/term_key_press.h"

namespace {

// The console text as the view shows it: bytes as Latin-1 characters, and each line break
// (CR LF, or a CR or LF standing alone) as one. Also where the selection lies in that text.
struct Shown {
  QString text;
  int anchor = 0;
  int caret = 0;
};

Shown ToShown(const std::string& bytes, std::size_t sel_start, std::size_t sel_end) {
  Shown shown;
  shown.text.reserve(static_cast<qsizetype>(bytes.size()));
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i == sel_start) shown.anchor = static_cast<int>(shown.text.size());
    if (i == sel_end) shown.caret = static_cast<int>(shown.text.size());
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte == '\n' && i > 0 && bytes[i - 1] == '\r') continue;
    shown.text.append(byte == '\r' ? QChar(u'\n') : QLatin1Char(bytes[i]));
  }
  if (sel_start >= bytes.size()) shown.anchor = static_cast<int>(shown.text.size());
  if (sel_end >= bytes.size()) shown.caret = static_cast<int>(shown.text.size());
  return shown;
}

// The bytes a key press types, as a text box sees them. Keys held with Alt type nothing
// (they belong to the menu), and characters beyond Latin-1 have no byte.
std::string TypedBytes(const QKeyEvent& event) {
  if (event.modifiers() & Qt::AltModifier) return {};
  switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return "\r";
    case Qt::Key_Backspace:
      return "\b";
    default:
      break;
  }
  std::string bytes;
  for (QChar c : event.text()) {
    if (c.unicode() > 0xFF) return {};
    bytes.push_back(static_cast<char>(c.unicode()));
  }
  return bytes;
}

}  // namespace

ConsoleView::ConsoleView(MemoryTextBox& console, SerialControl& serial, QWidget* parent)
    : QPlainTextEdit(parent), console_(console), serial_(serial) {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(9);
  font.setBold(true);
  setFont(font);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setUndoRedoEnabled(false);
  // Read-only keeps the view from editing itself; the keyboard flag keeps the caret visible.
  setReadOnly(true);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

  refresh_.setSingleShot(true);
  refresh_.setInterval(0);
  connect(&refresh_, &QTimer::timeout, this, &ConsoleView::Refresh);
  console_.OnChange([this] {
    if (!refresh_.isActive()) refresh_.start();
  });
  Refresh();
}

ConsoleView::~ConsoleView() {
  console_.OnChange(nullptr);
}

void ConsoleView::keyPressEvent(QKeyEvent* event) {
  const std::string bytes = TypedBytes(*event);
  if (bytes.empty()) {
    QPlainTextEdit::keyPressEvent(event);
    return;
  }
  if (event->matches(QKeySequence::Copy)) copy();
  for (char code : bytes) TermKeyPress(serial_, console_, code);
  event->accept();
}

void ConsoleView::Refresh() {
  const std::size_t sel_start = console_.SelStart();
  const Shown next = ToShown(console_.Text(), sel_start, sel_start + console_.SelLength());

  qsizetype same = 0;
  const qsizetype limit = std::min(shown_.size(), next.text.size());
  while (same < limit && shown_[same] == next.text[same]) ++same;
  if (same < shown_.size() || same < next.text.size()) {
    QTextCursor edit(document());
    edit.setPosition(static_cast<int>(same));
    edit.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    edit.insertText(next.text.sliced(same));
    shown_ = next.text;
  }

  QTextCursor caret(document());
  caret.setPosition(next.anchor);
  caret.setPosition(next.caret, QTextCursor::KeepAnchor);
  setTextCursor(caret);
  ensureCursorVisible();
}
