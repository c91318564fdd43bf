#pragma once

#include <QtGlobal>
#include <deque>
#include <functional>
#include <random>

namespace mofurin {

// The game's one uniform source: single-precision values in [0, 1), built
// from 24 random bits so that 1.0 can never come out. Exact values can be
// queued ahead (tests, the driver); they are used before any drawn value.
class Random {
 public:
  // clockSeed supplies the seed for seedFromClock(); the platform decides
  // what "the clock" is (the real time, or the virtual time of a test).
  explicit Random(std::function<quint32()> clockSeed = {});

  float next();
  void seed(quint32 value);
  void seedFromClock();
  void queue(float value);
  std::size_t queuedCount() const { return queued_.size(); }

 private:
  std::function<quint32()> clockSeed_;
  std::mt19937 engine_;
  std::deque<float> queued_;
};

}  // namespace mofurin
