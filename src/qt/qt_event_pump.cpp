#include "qt/qt_event_pump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <algorithm>

QtEventPump::QtEventPump(JobClock& clock) : clock_(clock) {
  deadline_.setSingleShot(true);
  deadline_.setTimerType(Qt::PreciseTimer);
  // The timer only has to wake the loop; its expiry needs no handler.
  QObject::connect(&deadline_, &QTimer::timeout, [] {});
}

void QtEventPump::PumpEvents() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtEventPump::WaitForActivity(std::optional<JobTime> until) {
  if (until) {
    const JobTime left = *until - clock_.Now();
    if (left <= JobTime::zero()) return;
    deadline_.start(std::min<JobTime>(left, std::chrono::milliseconds(INT32_MAX)));
  }
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  deadline_.stop();
}
