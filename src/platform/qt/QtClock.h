#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <map>
#include <set>

#include "platform/Timer.h"

class QTimer;

namespace mofurin::platform {

// Timers on the real event loop, one for the whole process.
class QtClock : public QObject, public Clock {
 public:
  QtClock();
  ~QtClock() override;
  void schedule(Timer& timer) override;
  void cancel(Timer& timer) override;
  qint64 now() const override { return elapsed_.elapsed(); }
  void post(std::function<void()> task) override;
  void wake() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void sleep(Timer& timer);
  bool wakes(const QObject* watched, const QEvent* event) const;

  std::map<Timer*, QTimer*> timers_;
  std::set<Timer*> asleep_;  // timers that mirror state, waiting for an event
  QElapsedTimer elapsed_;
};

}  // namespace mofurin::platform
