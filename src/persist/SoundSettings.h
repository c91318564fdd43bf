#pragma once

#include <QString>

namespace mofurin {

// The player's sound settings, kept for every game on this machine (not in a
// save file): the music and the hit sounds, each on or off, with a volume
// from 0 to 100.
struct SoundSettings {
  static constexpr int kMaxVolume = 100;

  bool musicOn = true;
  int musicVolume = kMaxVolume;
  bool effectsOn = true;
  int effectVolume = kMaxVolume;

  // What the sound device is given: 0 when switched off.
  int musicLevel() const { return musicOn ? musicVolume : 0; }
  int effectLevel() const { return effectsOn ? effectVolume : 0; }

  friend bool operator==(const SoundSettings&, const SoundSettings&) = default;
};

// Reads the settings; a missing, broken or foreign file, and every value
// that is not one this game writes, reads as the default.
SoundSettings LoadSoundSettings(const QString& path);

// Writes the settings, making the folder when missing. False when it failed.
bool SaveSoundSettings(const SoundSettings& settings, const QString& path);

}  // namespace mofurin
