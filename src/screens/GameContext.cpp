#include "screens/GameContext.h"

#include <QDir>

#include "screens/ScreenRegistry.h"
#include "screens/Title.h"

namespace mofurin {

GameContext::GameContext(platform::Platform& p) : platform(p), random([&p] { return p.clockSeed(); }), screens(p) {
  registerScreens(*this);
  screens.lastWindowClosed = [this] { end(); };
}

platform::Answer GameContext::msgBox(const QString& text, platform::Buttons buttons, const QString& title,
                                     platform::Icon icon) {
  if (ended()) return platform::firstButton(buttons);
  return platform.dialogs().message({text, buttons, icon, title});
}

void GameContext::end() {
  if (ended()) return;
  screens.endAll();
  platform.quit();
}

QString GameContext::workingFile(const QString& name) const { return QDir(platform.workingFolder()).filePath(name); }

QString GameContext::programFile(const QString& name) const { return QDir(platform.programFolder()).filePath(name); }

void GameContext::start() { screens.show<Form2>(); }

}  // namespace mofurin
