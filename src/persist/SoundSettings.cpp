#include "persist/SoundSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace mofurin {

namespace {

const QString kMusicOn = QStringLiteral("sound/music");
const QString kMusicVolume = QStringLiteral("sound/musicVolume");
const QString kEffectsOn = QStringLiteral("sound/hitSounds");
const QString kEffectVolume = QStringLiteral("sound/hitSoundVolume");

// Only the words this game writes count; anything else keeps the default.
bool readSwitch(const QSettings& file, const QString& key, bool fallback) {
  const QString text = file.value(key).toString();
  if (text == u"true") return true;
  if (text == u"false") return false;
  return fallback;
}

int readVolume(const QSettings& file, const QString& key, int fallback) {
  bool ok = false;
  const int volume = file.value(key).toString().toInt(&ok);
  return ok && volume >= 0 && volume <= SoundSettings::kMaxVolume ? volume : fallback;
}

}  // namespace

SoundSettings LoadSoundSettings(const QString& path) {
  SoundSettings settings;
  if (!QFileInfo(path).isFile()) return settings;
  const QSettings file(path, QSettings::IniFormat);
  if (file.status() != QSettings::NoError) return settings;
  settings.musicOn = readSwitch(file, kMusicOn, settings.musicOn);
  settings.musicVolume = readVolume(file, kMusicVolume, settings.musicVolume);
  settings.effectsOn = readSwitch(file, kEffectsOn, settings.effectsOn);
  settings.effectVolume = readVolume(file, kEffectVolume, settings.effectVolume);
  return settings;
}

bool SaveSoundSettings(const SoundSettings& settings, const QString& path) {
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
  QSettings file(path, QSettings::IniFormat);
  file.setValue(kMusicOn, settings.musicOn);
  file.setValue(kMusicVolume, settings.musicVolume);
  file.setValue(kEffectsOn, settings.effectsOn);
  file.setValue(kEffectVolume, settings.effectVolume);
  file.sync();
  return file.status() == QSettings::NoError;
}

}  // namespace mofurin
