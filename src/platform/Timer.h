#pragma once

#include <QString>
#include <functional>

namespace mofurin::platform {

class Form;
class Clock;

// An interval timer of a screen. It ticks through its game's clock while
// enabled; a tick runs to completion even when it stops its own timer, never
// starts again inside itself, and does not come while its game shows a box.
class Timer {
 public:
  // Intervals shorter than a display frame tick once a frame: "as often as
  // the platform delivers ticks", the same in real and in virtual time, and
  // an idle screen with a 1 ms timer costs next to no CPU.
  static constexpr int kShortestTickMs = 16;
  static int effectiveInterval(int ms) { return ms < kShortestTickMs ? kShortestTickMs : ms; }

  Timer(Form& form, QString name, int intervalMs, bool enabled);
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  const QString& name() const { return name_; }
  Form& form() const { return form_; }
  int interval() const { return interval_; }
  int tickInterval() const { return effectiveInterval(interval_); }
  void setInterval(int ms);  // restarts the countdown of a running timer
  bool enabled() const { return enabled_; }
  void setEnabled(bool on);
  void start() { setEnabled(true); }
  void stop() { setEnabled(false); }
  bool running() const { return enabled_ && interval_ > 0; }
  // A timer whose ticks only show what other events changed (a cost line,
  // a receive loop that waits for the socket) may sleep while nothing
  // happens: the real clock then ticks it only after some other event, so
  // an idle screen does not wake the processor. Virtual time ticks it as
  // any other, so scripts and tests see the same ticks.
  bool mirrorsState() const { return mirrorsState_; }
  void setMirrorsState(bool on) { mirrorsState_ = on; }

  std::function<void()> onTimer;

  void tick();  // called by the clock when the timer falls due

 private:
  void reschedule();

  Form& form_;
  Clock& clock_;
  QString name_;
  int interval_;
  bool enabled_;
  bool ticking_ = false;
  bool mirrorsState_ = false;
};

// The process's event loop and time: the real event loop, or a virtual time
// in tests. Every game of the process shares it.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual void schedule(Timer& timer) = 0;  // start counting from now
  virtual void cancel(Timer& timer) = 0;
  virtual qint64 now() const = 0;  // milliseconds
  // Runs a task once the current event has been handled.
  virtual void post(std::function<void()> task) = 0;
  // Something outside the event loop changed a game (a driver's command):
  // the timers that mirror state look again.
  virtual void wake() {}
};

}  // namespace mofurin::platform
