#include "platform/qt/QtClock.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <algorithm>
#include <utility>

namespace mofurin::platform {

QtClock::QtClock() {
  elapsed_.start();
  if (QCoreApplication* app = QCoreApplication::instance()) app->installEventFilter(this);
}

QtClock::~QtClock() {
  for (auto& [timer, qtimer] : timers_) delete qtimer;
}

void QtClock::schedule(Timer& timer) {
  QTimer*& qtimer = timers_[&timer];
  if (!qtimer) {
    qtimer = new QTimer(this);
    Timer* target = &timer;
    connect(qtimer, &QTimer::timeout, this, [this, target] {
      if (target->mirrorsState()) sleep(*target);
      target->tick();
    });
  }
  asleep_.erase(&timer);
  qtimer->start(timer.tickInterval());
}

// Until the next event: the tick about to run shows everything so far.
void QtClock::sleep(Timer& timer) {
  timers_.at(&timer)->stop();
  asleep_.insert(&timer);
}

void QtClock::wake() {
  for (Timer* timer : std::exchange(asleep_, {})) timers_.at(timer)->start(timer->tickInterval());
}

bool QtClock::eventFilter(QObject* watched, QEvent* event) {
  if (!asleep_.empty() && wakes(watched, event)) wake();
  return false;
}

// Drawing changes nothing a timer mirrors, and neither does the tick of a
// timer that only mirrors; every other event (input, a socket, another
// timer, a posted task, a closed box) may have.
bool QtClock::wakes(const QObject* watched, const QEvent* event) const {
  switch (event->type()) {
    case QEvent::Paint:
    case QEvent::UpdateRequest:
    case QEvent::UpdateLater:
    case QEvent::LayoutRequest:
    case QEvent::Polish:
    case QEvent::PolishRequest:
    case QEvent::ChildAdded:
    case QEvent::ChildPolished:
    case QEvent::ChildRemoved:
    case QEvent::Move:
    case QEvent::Resize: return false;
    case QEvent::Timer:
      return std::none_of(timers_.begin(), timers_.end(), [&](const auto& entry) {
        return entry.first->mirrorsState() && entry.second == watched;
      });
    default: return true;
  }
}

void QtClock::cancel(Timer& timer) {
  auto it = timers_.find(&timer);
  if (it == timers_.end()) return;
  it->second->stop();
  // The timer may be cancelled from inside its own tick: delete it later.
  it->second->disconnect();
  it->second->deleteLater();
  timers_.erase(it);
  asleep_.erase(&timer);
}

}  // namespace mofurin::platform

namespace mofurin::platform {

void QtClock::post(std::function<void()> task) { QTimer::singleShot(0, this, std::move(task)); }

}  // namespace mofurin::platform
