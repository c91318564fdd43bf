#pragma once

#include <QString>
#include <memory>

#include "platform/Media.h"

namespace mofurin::platform {

// The game's real sound: the battle music and the hit effects through
// SDL2_mixer, the music rendered by FluidSynth with a General MIDI sound font.
//
// Nothing is loaded before a bout asks for sound, so the game starts as fast
// and as small as without it. The mixer library, the audio device, the sound
// font and each music file are then opened on a worker thread of this
// device; the user-interface thread only queues the commands and never
// waits. Every failure is silent: with no library, no audio device, no sound
// font or a broken file the bout goes on without that sound.
//
// The music channel keeps the time of the piece itself: it reads "stopped"
// once the file's own length has played (even when the sound font is missing
// and nothing could be heard). Without an audio device, or with a file that
// is missing or broken, the channel does not open and has no mode.
class SdlMedia : public MediaDevice {
 public:
  static inline const QString kFluidR3 = QStringLiteral("/usr/share/sounds/sf2/FluidR3_GM.sf2");
  static inline const QString kTimGM6mb = QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2");
  // The best General MIDI font that is installed: FluidR3 (which the
  // package recommends) when present, else TimGM6mb (which it depends on).
  static QString bestSoundFont();

  struct Setup {
    QString soundFont = bestSoundFont();
    QString library = QStringLiteral("libSDL2_mixer-2.0.so.0");
  };

  SdlMedia();
  explicit SdlMedia(Setup setup);
  ~SdlMedia() override;

  void command(const QString& text) override;
  QString musicMode() override;
  void playEffect(const QByteArray& waveImage) override;
  // Our own short blip through the open device; the desktop's bell when
  // there is no device.
  void beep() override;
  void setMusicVolume(int percent) override;
  void setEffectVolume(int percent) override;

  // Waits until the worker has carried out everything asked of it so far.
  // The game never calls it; tests and measurements do.
  void finishWork();
  // Whether the worker opened an audio device (false until it has tried).
  bool deviceOpen() const;

 private:
  class Worker;
  Worker& worker();
  void postVolumes();

  Setup setup_;
  std::unique_ptr<Worker> worker_;  // started by the first sound of the game
  bool channelOpen_ = false;        // "open … alias bgm" taken and not closed
  bool playing_ = false;            // "play bgm" given and not stopped
  int playCount_ = 0;               // which "play bgm" the mode is about
  int musicVolume_ = 100;
  int effectVolume_ = 100;
  int openCount_ = 0;               // which "open … alias bgm" the mode is about
};

}  // namespace mofurin::platform
