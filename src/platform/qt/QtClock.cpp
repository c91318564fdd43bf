#include "platform/qt/QtClock.h"

#include <QTimer>

namespace mofurin::platform {

QtClock::QtClock() { elapsed_.start(); }

QtClock::~QtClock() {
  for (auto& [timer, qtimer] : timers_) delete qtimer;
}

void QtClock::schedule(Timer& timer) {
  QTimer*& qtimer = timers_[&timer];
  if (!qtimer) {
    qtimer = new QTimer(this);
    Timer* target = &timer;
    connect(qtimer, &QTimer::timeout, this, [target] { target->tick(); });
  }
  qtimer->start(timer.tickInterval());
}

void QtClock::cancel(Timer& timer) {
  auto it = timers_.find(&timer);
  if (it == timers_.end()) return;
  it->second->stop();
  // The timer may be cancelled from inside its own tick: delete it later.
  it->second->disconnect();
  it->second->deleteLater();
  timers_.erase(it);
}

}  // namespace mofurin::platform

namespace mofurin::platform {

void QtClock::post(std::function<void()> task) { QTimer::singleShot(0, this, std::move(task)); }

}  // namespace mofurin::platform
