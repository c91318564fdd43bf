#pragma once

#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "platform/Media.h"

namespace mofurin::platform {

class Clock;

// The headless sound: remembers every command, effect and beep, and keeps the
// music channel's state in virtual time. Music "plays" for musicLength(file)
// milliseconds after "play bgm", by default the file's own length, so a
// watchdog sees it stop exactly as it would in the game: at the end of the
// piece. A file that is missing or broken does not open at all.
class RecordingMedia : public MediaDevice {
 public:
  explicit RecordingMedia(const Clock& clock);

  void command(const QString& text) override;
  QString musicMode() override;
  void playEffect(const QByteArray& waveImage) override { effects_.push_back(waveImage); }
  void beep() override { ++beeps_; }
  void setMusicVolume(int percent) override { musicVolume_ = percent; }
  void setEffectVolume(int percent) override { effectVolume_ = percent; }

  // How long the opened file plays, in ms; a negative length: it never ends;
  // nothing: the file cannot be opened. Tests may put lengths of their own here.
  std::function<std::optional<qint64>(const QString& file)> musicLength;

  const QStringList& commands() const { return commands_; }
  const std::vector<QByteArray>& effects() const { return effects_; }
  int beeps() const { return beeps_; }
  int musicVolume() const { return musicVolume_; }
  int effectVolume() const { return effectVolume_; }

 private:
  const Clock& clock_;
  QStringList commands_;
  std::vector<QByteArray> effects_;
  int beeps_ = 0;
  int musicVolume_ = 100;
  int effectVolume_ = 100;
  bool open_ = false;
  qint64 openLength_ = -1;
  bool playing_ = false;
  qint64 playStart_ = 0;
  qint64 playLength_ = -1;
};

}  // namespace mofurin::platform
