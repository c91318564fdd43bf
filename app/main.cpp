// The game: the title screen in a real window, on the desktop's event loop.

#include <QApplication>

#include "platform/qt/QtPlatform.h"
#include "screens/Game.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("mofurin"));
  QApplication::setQuitOnLastWindowClosed(false);  // the screens decide when the game ends
  mofurin::platform::applyGameLook();
  mofurin::platform::QtClock clock;
  mofurin::platform::QtPlatform platform(clock, QCoreApplication::applicationDirPath());
  mofurin::Game ctx(platform);
  ctx.start();
  return QApplication::exec();
}
