#pragma once

#include <string>
#include <vector>

namespace soundgen {

constexpr int kImpactSampleRate = 44100;

// A mono sound, samples in [-1, 1].
struct Sound {
  int sampleRate = kImpactSampleRate;
  std::vector<float> samples;
};

// Snd091.wav, the player's side landing a hit: a bright, punchy "pow".
Sound playerHit();

// Snd053.wav, the opponent's side landing a hit: a low, heavy thud with a
// crunch of noise on top.
Sound opponentHit();

// Writes 16-bit PCM mono WAVE; false when the file cannot be written.
bool writeWave(const std::string& path, const Sound& sound);

}  // namespace soundgen
