#pragma once

#include <QByteArray>
#include <QString>

namespace mofurin::platform {

// The sound of a game: a music channel driven by command texts ("open … alias
// bgm", "play bgm", "stop bgm", "close bgm"), hit effects played from wave
// images in memory, and the desktop's beep. Failures are silent: a command
// that cannot be carried out does nothing and the game goes on.
class MediaDevice {
 public:
  virtual ~MediaDevice() = default;
  virtual void command(const QString& text) = 0;
  // The music channel's mode: "playing", or a text beginning with "stopped"
  // once music that was opened has ended or been stopped. A channel that is
  // not open (closed, muted, no device, a missing or broken file) has no
  // mode: the text is empty.
  virtual QString musicMode() = 0;
  // Plays a whole wave image; a new effect replaces one still playing.
  virtual void playEffect(const QByteArray& waveImage) = 0;
  virtual void beep() = 0;
  // Loudness from 0 (silent) to 100 (full, the start), at once: also for
  // music and effects already playing. The effect volume covers the beep.
  virtual void setMusicVolume(int percent) = 0;
  virtual void setEffectVolume(int percent) = 0;
};

// A music-channel command as the battle screen writes it: "open "FILE"
// alias bgm", "play bgm", "stop bgm", "close bgm"; anything else is Other.
struct MusicCommand {
  enum Kind { Open, Play, Stop, Close, Other };
  Kind kind = Other;
  QString file;  // for Open
};
MusicCommand readMusicCommand(const QString& text);

// A device that plays nothing: its music channel never opens.
class SilentMedia : public MediaDevice {
 public:
  void command(const QString&) override {}
  QString musicMode() override { return {}; }
  void playEffect(const QByteArray&) override {}
  void beep() override {}
  void setMusicVolume(int) override {}
  void setEffectVolume(int) override {}
};

}  // namespace mofurin::platform
