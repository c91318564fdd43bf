#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <map>

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

 private:
  std::map<Timer*, QTimer*> timers_;
  QElapsedTimer elapsed_;
};

}  // namespace mofurin::platform
