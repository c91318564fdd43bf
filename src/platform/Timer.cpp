#include "platform/Timer.h"

#include "platform/Form.h"
#include "platform/Platform.h"

namespace mofurin::platform {

Timer::Timer(Form& form, QString name, int intervalMs, bool enabled)
    : form_(form), clock_(form.platform().clock()), name_(std::move(name)), interval_(intervalMs), enabled_(enabled) {
  form_.registerTimer(this);
  reschedule();
}

Timer::~Timer() {
  clock_.cancel(*this);
  form_.unregisterTimer(this);
}

void Timer::reschedule() {
  if (running()) {
    clock_.schedule(*this);
  } else {
    clock_.cancel(*this);
  }
}

void Timer::setInterval(int ms) {
  if (ms == interval_) return;
  interval_ = ms;
  reschedule();
}

void Timer::setEnabled(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  reschedule();
}

void Timer::tick() {
  if (ticking_ || !running() || !onTimer || form_.platform().modal()) return;
  ticking_ = true;
  onTimer();
  ticking_ = false;
}

}  // namespace mofurin::platform
