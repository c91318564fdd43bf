#pragma once

#include <QString>
#include <functional>

namespace mofurin::platform {

class Form;
class Clock;

// An interval timer of a screen. It ticks through the platform's clock while
// enabled; a tick runs to completion even when it stops its own timer.
class Timer {
 public:
  Timer(Form& form, QString name, int intervalMs, bool enabled);
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  const QString& name() const { return name_; }
  Form& form() const { return form_; }
  int interval() const { return interval_; }
  void setInterval(int ms);  // restarts the countdown of a running timer
  bool enabled() const { return enabled_; }
  void setEnabled(bool on);
  void start() { setEnabled(true); }
  void stop() { setEnabled(false); }
  bool running() const { return enabled_ && interval_ > 0; }

  std::function<void()> onTimer;

  void tick();  // called by the clock when the timer falls due

 private:
  void reschedule();

  Form& form_;
  Clock& clock_;
  QString name_;
  int interval_;
  bool enabled_;
};

// Where timers tick: the real event loop, or a virtual time in tests.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual void schedule(Timer& timer) = 0;  // start counting from now
  virtual void cancel(Timer& timer) = 0;
  virtual qint64 now() const = 0;  // milliseconds
};

}  // namespace mofurin::platform
