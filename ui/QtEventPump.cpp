#include "ui/QtEventPump.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <chrono>

namespace ui {

void QtEventPump::ProcessPendingEvents() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtEventPump::WaitForEvents(platform::SteadyTime deadline) {
  if (m_wakePending.exchange(false)) return;
  const auto remaining =
      std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
  if (remaining.count() <= 0) return;
  // The timer's event ends the wait at the deadline; a Wake ends it through the dispatcher.
  QTimer deadlineTimer;
  deadlineTimer.setSingleShot(true);
  deadlineTimer.setTimerType(Qt::PreciseTimer);
  deadlineTimer.start(remaining);
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  m_wakePending = false;
}

void QtEventPump::Wake() {
  m_wakePending = true;
  if (QAbstractEventDispatcher* dispatcher =
          QAbstractEventDispatcher::instance(QCoreApplication::instance()->thread())) {
    dispatcher->wakeUp();
  }
}

}  // namespace ui
