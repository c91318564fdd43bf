#pragma once

#include <QtGlobal>
#include <deque>
#include <functional>
#include <optional>
#include <random>

namespace mofurin {

// The game's one uniform source: single-precision values in [0, 1), built
// from 24 random bits so that 1.0 can never come out. Exact values can be
// queued ahead (tests, the driver); they are used before any drawn value.
//
// A draw is either the rules' (next: fighters, damage, hits, choices) or
// cosmetic (the scene's shake and the pop-up's flicker). In play both come
// from the one stream, in the order they are asked for. While a replay
// feeds the rules' draws from its record, cosmetic draws keep coming from
// the generator, so the timers' pace cannot change the bout.
class Random {
 public:
  // clockSeed supplies the seed for seedFromClock(); the platform decides
  // what "the clock" is (the real time, or the virtual time of a test).
  explicit Random(std::function<quint32()> clockSeed = {});

  float next();
  float cosmetic();
  void seed(quint32 value);
  void seedFromClock();
  void queue(float value);
  std::size_t queuedCount() const { return queued_.size(); }

  // From now on the rules' draws come from feed (a replay) for as long as it
  // has values; an empty feed gives them back to the stream.
  void feedRules(std::function<std::optional<float>()> feed) { ruleFeed_ = std::move(feed); }
  bool fed() const { return static_cast<bool>(ruleFeed_); }

 private:
  float fresh();

  std::function<quint32()> clockSeed_;
  std::mt19937 engine_;
  std::deque<float> queued_;
  std::function<std::optional<float>()> ruleFeed_;
};

}  // namespace mofurin
