#include "context/GameContext.h"

#include <QCoreApplication>
#include <QDir>

#include "persist/LanguageSetting.h"

namespace mofurin {

GameContext::GameContext(platform::Platform& p) : platform(p), random([&p] { return p.clockSeed(); }), forms(p) {
  forms.lastWindowClosed = [this] { end(); };
  forms.mayEnd = [this] { return playerMayEnd(); };
  soundSettings = LoadSoundSettings(p.settingsFile());
  internet = LoadInternetSettings(p.settingsFile());
#ifdef MOFURIN_MEETING_PLACE
  // A build may name a meeting place for players who set none.
  if (internet.meetingPlace.isEmpty()) internet.meetingPlace = QStringLiteral(MOFURIN_MEETING_PLACE);
#endif
  p.media().setMusicVolume(soundSettings.musicLevel());
  p.media().setEffectVolume(soundSettings.effectLevel());
}

bool GameContext::changeSoundSettings(const SoundSettings& settings) {
  if (settings == soundSettings) return true;
  soundSettings = settings;
  platform.setVolumes(settings.musicLevel(), settings.effectLevel());
  return SaveSoundSettings(settings, platform.settingsFile());
}

bool GameContext::changeInternetSettings(const InternetSettings& settings) {
  internet = settings;
  return SaveInternetSettings(settings, platform.settingsFile());
}

platform::Answer GameContext::msgBox(const QString& text, platform::Buttons buttons, const QString& title,
                                     platform::Icon icon) {
  if (ended()) return platform::firstButton(buttons);
  return platform.message({text, buttons, icon, title});
}

bool GameContext::playerMayEnd() {
  const GameState& own = replay ? replay->savedGame : game;
  if (!own.unsavedProgress || ended()) return true;
  return msgBox(
             QCoreApplication::translate("GameContext", "セーブしていないデータは消えてしまいます。\r\n終了しますか？"),
             platform::Buttons::YesNo, platform::kAppTitle, platform::Icon::Question) == platform::Answer::Yes;
}

bool GameContext::endAtPlayersWord() {
  if (!playerMayEnd()) return false;
  end();
  return true;
}

void GameContext::end() {
  if (ended()) return;
  forms.endAll();
  platform.quit();
}

bool GameContext::changeLanguage(platform::Language language, bool keep) {
  bool ok = platform::useLanguage(language);
  platform.languageChanged();
  for (platform::Form* form : forms.openForms()) form->showTexts();
  if (keep) ok = SaveLanguageSetting(platform::languageCode(language), platform.settingsFile()) && ok;
  return ok;
}

QString GameContext::workingFile(const QString& name) const { return QDir(platform.workingFolder()).filePath(name); }

QString GameContext::assetFile(const QString& name) const { return QDir(platform.assetFolder()).filePath(name); }

void GameContext::start() { forms.show(QStringLiteral("Form2")); }

}  // namespace mofurin
