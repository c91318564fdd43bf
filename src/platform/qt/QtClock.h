#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <map>

#include "platform/Timer.h"

class QTimer;

namespace mofurin::platform {

// Timers on the real event loop. An interval below one display frame ticks
// once a frame: "as often as the platform delivers ticks", at next to no CPU.
class QtClock : public QObject, public Clock {
 public:
  static constexpr int kFrameMs = 16;

  QtClock();
  ~QtClock() override;
  void schedule(Timer& timer) override;
  void cancel(Timer& timer) override;
  qint64 now() const override { return elapsed_.elapsed(); }

 private:
  std::map<Timer*, QTimer*> timers_;
  QElapsedTimer elapsed_;
};

}  // namespace mofurin::platform
