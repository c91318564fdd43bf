#include "tools/soundgen/Impacts.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace soundgen {
namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr float kPeak = 0.7f;              // about -3 dB: the music plays underneath
constexpr double kAttackSeconds = 0.0015;  // fast enough to feel like a blow, slow enough not to click
constexpr double kFadeSeconds = 0.015;     // the tail always ends on silence

// The same noise on every build, whatever the standard library.
class Noise {
 public:
  explicit Noise(std::uint32_t seed) : state_(seed) {}
  float next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<float>(state_) / 2147483648.0f - 1.0f;
  }

 private:
  std::uint32_t state_;
};

// A sine whose pitch falls from start to end Hz with the given time constant.
class FallingTone {
 public:
  FallingTone(double startHz, double endHz, double seconds) : start_(startHz), end_(endHz), seconds_(seconds) {}
  double next(double t) {
    phase_ += kTwoPi * (end_ + (start_ - end_) * std::exp(-t / seconds_)) / kImpactSampleRate;
    return phase_;
  }

 private:
  double start_, end_, seconds_;
  double phase_ = 0;
};

double decay(double t, double seconds) { return std::exp(-t / seconds); }

// Quick rise at the start, a short fade at the end, so neither edge clicks.
void shapeEdges(std::vector<float>& samples) {
  const auto attack = static_cast<std::size_t>(kAttackSeconds * kImpactSampleRate);
  const auto fade = static_cast<std::size_t>(kFadeSeconds * kImpactSampleRate);
  for (std::size_t i = 0; i < attack && i < samples.size(); ++i) samples[i] *= static_cast<float>(i) / attack;
  for (std::size_t i = 0; i < fade && i < samples.size(); ++i) {
    const double x = static_cast<double>(i) / fade;
    samples[samples.size() - 1 - i] *= static_cast<float>(0.5 - 0.5 * std::cos(std::numbers::pi * x));
  }
}

void normalize(std::vector<float>& samples) {
  float peak = 0;
  for (float s : samples) peak = std::max(peak, std::abs(s));
  if (peak > 0) {
    for (float& s : samples) s *= kPeak / peak;
  }
}

// A gentle high-pass far below the thud's lowest pitch: the saturation
// leaves a little offset that would otherwise thump when the sound stops.
void removeOffset(std::vector<float>& samples) {
  double previousIn = 0, previousOut = 0;
  for (float& s : samples) {
    const double out = s - previousIn + 0.998 * previousOut;
    previousIn = s;
    previousOut = out;
    s = static_cast<float>(out);
  }
}

Sound finished(std::vector<float> samples) {
  removeOffset(samples);
  shapeEdges(samples);
  normalize(samples);
  return {kImpactSampleRate, std::move(samples)};
}

std::size_t sampleCount(double seconds) { return static_cast<std::size_t>(seconds * kImpactSampleRate); }

}  // namespace

Sound playerHit() {
  std::vector<float> out(sampleCount(0.22));
  FallingTone tone(1080, 180, 0.025);
  Noise noise(0x091u);
  float previousNoise = 0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kImpactSampleRate;
    const double phase = tone.next(t);
    // A couple of overtones give the body its brightness.
    const double body = (std::sin(phase) + 0.35 * std::sin(2 * phase) + 0.2 * std::sin(3 * phase)) * decay(t, 0.06);
    // The snap: high-passed noise, gone within a few milliseconds.
    const float white = noise.next();
    const double snap = 0.6 * (white - previousNoise) * decay(t, 0.006);
    previousNoise = white;
    out[i] = static_cast<float>(std::tanh(1.5 * (body + snap)));
  }
  return finished(std::move(out));
}

Sound opponentHit() {
  std::vector<float> out(sampleCount(0.32));
  FallingTone tone(225, 55, 0.04);
  Noise noise(0x053u);
  double lowNoise = 0;
  double grit = 0;
  float held = 0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kImpactSampleRate;
    const double body = std::sin(tone.next(t)) * decay(t, 0.11);
    // The crunch: darkened noise, held for four samples at a time and driven
    // hard, which gives it its grit, then darkened again so it does not hiss.
    lowNoise += 0.2 * (noise.next() - lowNoise);
    if (i % 4 == 0) held = static_cast<float>(std::tanh(12 * lowNoise));
    grit += 0.3 * (held - grit);
    const double crunch = 0.5 * grit * decay(t, 0.03);
    out[i] = static_cast<float>(std::tanh(2 * (body + crunch)));
  }
  return finished(std::move(out));
}

bool writeWave(const std::string& path, const Sound& sound) {
  SF_INFO info{};
  info.samplerate = sound.sampleRate;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (file == nullptr) return false;
  std::vector<short> pcm;
  pcm.reserve(sound.samples.size());
  for (float s : sound.samples) pcm.push_back(static_cast<short>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767)));
  const sf_count_t written = sf_write_short(file, pcm.data(), static_cast<sf_count_t>(pcm.size()));
  return sf_close(file) == 0 && written == static_cast<sf_count_t>(pcm.size());
}

}  // namespace soundgen
