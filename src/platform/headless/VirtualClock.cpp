#include "platform/headless/VirtualClock.h"

#include <algorithm>

namespace mofurin::platform {

void VirtualClock::schedule(Timer& timer) { entries_[&timer] = {now_ + timer.tickInterval(), order_++}; }

void VirtualClock::cancel(Timer& timer) { entries_.erase(&timer); }

void VirtualClock::runPosted() {
  while (!posted_.empty()) {
    std::function<void()> task = std::move(posted_.front());
    posted_.pop_front();
    task();
  }
}

bool VirtualClock::fireNext(qint64 limit) {
  runPosted();
  Timer* next = nullptr;
  Entry best{};
  for (const auto& [timer, entry] : entries_) {
    if (entry.due > limit) continue;
    if (!next || entry.due < best.due || (entry.due == best.due && entry.order < best.order)) {
      next = timer;
      best = entry;
    }
  }
  if (!next) return false;
  now_ = best.due;
  // Re-arm first: the tick may stop or re-time its own timer.
  entries_[next] = {now_ + next->tickInterval(), order_++};
  next->tick();
  runPosted();
  return true;
}

void VirtualClock::advance(qint64 ms) {
  const qint64 target = now_ + ms;
  while (fireNext(target)) {
  }
  // Time that passed under a box inside a tick never runs backwards.
  now_ = std::max(now_, target);
}

bool VirtualClock::advanceUntil(const std::function<bool()>& done, qint64 maxMs) {
  const qint64 limit = now_ + maxMs;
  runPosted();
  if (done()) return true;
  while (fireNext(limit)) {
    if (done()) return true;
  }
  now_ = std::max(now_, limit);
  return false;
}

}  // namespace mofurin::platform
