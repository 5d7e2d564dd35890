#include "ui/console_view.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QKeySequence>
#include <QTextCursor>
#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "console/term_key_press.h"

namespace {

// A frame of a 50 Hz display.
constexpr qint64 kFrameMs = 20;

// The view shows each line break as one character, so the LF of a CR LF pair shows as nothing.
bool Hidden(const std::string& bytes, std::size_t i) {
  return bytes[i] == '\n' && i > 0 && bytes[i - 1] == '\r';
}

// How many characters the bytes from `from` on show as.
int ShownCount(const std::string& bytes, std::size_t from) {
  int count = 0;
  for (std::size_t i = from; i < bytes.size(); ++i) count += Hidden(bytes, i) ? 0 : 1;
  return count;
}

// The bytes from `from` on as the view shows them: Latin-1 characters, with a line break for
// CR LF and for a CR or LF standing alone.
QString ShownText(const std::string& bytes, std::size_t from) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size() - from));
  for (std::size_t i = from; i < bytes.size(); ++i) {
    if (Hidden(bytes, i)) continue;
    text.append(bytes[i] == '\r' ? QChar(u'\n') : QLatin1Char(bytes[i]));
  }
  return text;
}

// Compared block by block first: most changes touch only the end of a 16 kB text.
std::size_t CommonPrefix(const std::string& a, const std::string& b) {
  constexpr std::size_t kBlock = 64;
  const std::size_t limit = std::min(a.size(), b.size());
  std::size_t same = 0;
  while (same + kBlock <= limit && std::memcmp(a.data() + same, b.data() + same, kBlock) == 0) {
    same += kBlock;
  }
  while (same < limit && a[same] == b[same]) ++same;
  return same;
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

ConsoleView::ConsoleView(MemoryTextBox& console, ByteSink keys, QWidget* parent)
    : QPlainTextEdit(parent), console_(console), keys_(std::move(keys)) {
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
  refresh_.setTimerType(Qt::PreciseTimer);
  connect(&refresh_, &QTimer::timeout, this, [this] {
    Refresh();
    since_refresh_.start();
  });
  console_.OnChange([this] { ScheduleRefresh(); });
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
  for (char code : bytes) TermKeyPress(keys_, console_, code);
  event->accept();
}

void ConsoleView::ScheduleRefresh() {
  if (refresh_.isActive()) return;
  const qint64 since = since_refresh_.isValid() ? since_refresh_.elapsed() : kFrameMs;
  refresh_.start(static_cast<int>(std::max<qint64>(0, kFrameMs - since)));
}

void ConsoleView::Refresh() {
  const std::string& text = console_.Text();
  const std::size_t same = CommonPrefix(shown_, text);
  if (same < shown_.size() || same < text.size()) {
    const int from = ShownPosition(same);
    const QString tail = ShownText(text, same);
    QTextCursor edit(document());
    edit.setPosition(from);
    edit.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    edit.insertText(tail);
    shown_.replace(same, std::string::npos, text, same);
    shown_length_ = from + static_cast<int>(tail.size());
  }

  const std::size_t sel_start = console_.SelStart();
  QTextCursor caret(document());
  caret.setPosition(ShownPosition(sel_start));
  caret.setPosition(ShownPosition(sel_start + console_.SelLength()), QTextCursor::KeepAnchor);
  setTextCursor(caret);
  ensureCursorVisible();
}

// Counted back from the end, since the caret is nearly always there.
int ConsoleView::ShownPosition(std::size_t byte_pos) const {
  return shown_length_ - ShownCount(shown_, byte_pos);
}
