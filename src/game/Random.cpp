#include "game/Random.h"

#include <chrono>

namespace mofurin {

Random::Random(std::function<quint32()> clockSeed) : clockSeed_(std::move(clockSeed)) { seedFromClock(); }

float Random::next() {
  if (ruleFeed_) {
    if (const std::optional<float> fed = ruleFeed_()) return *fed;
  }
  return fresh();
}

float Random::cosmetic() { return fresh(); }

float Random::fresh() {
  if (!queued_.empty()) {
    const float v = queued_.front();
    queued_.pop_front();
    return v;
  }
  constexpr float kScale = 1.0f / 16777216.0f;  // 2^-24
  return static_cast<float>(engine_() >> 8) * kScale;
}

void Random::seed(quint32 value) { engine_.seed(value); }

void Random::seedFromClock() {
  if (clockSeed_) {
    seed(clockSeed_());
  } else {
    seed(static_cast<quint32>(std::chrono::steady_clock::now().time_since_epoch().count()));
  }
}

void Random::queue(float value) { queued_.push_back(value); }

}  // namespace mofurin
