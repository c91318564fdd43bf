// The game: the title screen in a real window, on the desktop's event loop.
//   mofurin [--mute] [--port N]
//     --mute: no music and no effects; no audio device is opened.
//     --port N: the network bout's port on both machines (1001).

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
  const QCommandLineOption mute(QStringLiteral("mute"), QStringLiteral("No music and no sound effects."));
  options.addOption(mute);
  options.process(app);
  bool portOk = false;
  const quint16 linkPort = options.value(port).toUShort(&portOk);
  if (!portOk || linkPort == 0) options.showHelp(2);

  mofurin::platform::applyGameLook();
  mofurin::platform::QtClock clock;
  mofurin::platform::QtPlatform platform(clock, QCoreApplication::applicationDirPath());
  if (options.isSet(mute)) platform.mute();
  mofurin::Game ctx(platform);
  ctx.link.port = linkPort;
  ctx.start();
  return QApplication::exec();
}
