// The game: the title screen in a real window, on the desktop's event loop.
//   mofurin [--port N]   N: the network bout's port on both machines (1001)

#include <QApplication>
#include <QCommandLineParser>

#include "net/Protocol.h"
#include "platform/qt/QtPlatform.h"
#include "screens/Game.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("mofurin"));
  QApplication::setQuitOnLastWindowClosed(false);  // the screens decide when the game ends

  QCommandLineParser options;
  options.addHelpOption();
  const QCommandLineOption port(QStringLiteral("port"),
                                QStringLiteral("The network bout's port on both machines (default 1001)."),
                                QStringLiteral("N"), QString::number(mofurin::kLinkPort));
  options.addOption(port);
  options.process(app);
  bool portOk = false;
  const quint16 linkPort = options.value(port).toUShort(&portOk);
  if (!portOk || linkPort == 0) options.showHelp(2);

  mofurin::platform::applyGameLook();
  mofurin::platform::QtClock clock;
  mofurin::platform::QtPlatform platform(clock, QCoreApplication::applicationDirPath());
  mofurin::Game ctx(platform);
  ctx.link.port = linkPort;
  ctx.start();
  return QApplication::exec();
}
