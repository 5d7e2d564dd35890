#include "platform/qt_event_pump.h"

#include <QCoreApplication>
#include <QEventLoop>

QtEventPump::QtEventPump(JobClock& clock) : clock_(clock) {
  deadline_.setSingleShot(true);
  deadline_.setTimerType(Qt::PreciseTimer);
  // The timer only has to wake the loop; its expiry needs no handler.
  QObject::connect(&deadline_, &QTimer::timeout, [] {});
}

void QtEventPump::PumpEvents() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtEventPump::WaitForActivity(std::optional<std::int64_t> until_ms) {
  if (until_ms) {
    const std::int64_t left = *until_ms - clock_.NowMs();
    if (left <= 0) return;
    deadline_.start(static_cast<int>(std::min<std::int64_t>(left, INT32_MAX)));
  }
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  deadline_.stop();
}
