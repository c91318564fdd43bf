#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>

#include "platform/Timer.h"

namespace mofurin::platform {

// Virtual time: nothing happens until someone advances it; then every timer
// that falls due fires in time order, one at a time, and tasks posted by an
// event run right after that event. Several games may run on one clock.
class VirtualClock : public Clock {
 public:
  void schedule(Timer& timer) override;
  void cancel(Timer& timer) override;
  qint64 now() const override { return now_; }
  void post(std::function<void()> task) override { posted_.push_back(std::move(task)); }

  void runPosted();

  void advance(qint64 ms);
  // Advances until done() holds, checked after every tick; at most maxMs.
  bool advanceUntil(const std::function<bool()>& done, qint64 maxMs);

 private:
  struct Entry {
    qint64 due;
    quint64 order;
  };
  // Fires the earliest timer due no later than limit; false when there is none.
  bool fireNext(qint64 limit);

  std::map<Timer*, Entry> entries_;
  std::deque<std::function<void()>> posted_;
  qint64 now_ = 0;
  quint64 order_ = 0;
};

}  // namespace mofurin::platform
