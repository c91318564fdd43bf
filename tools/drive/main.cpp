// mofurin-drive [--qt] [SCRIPT]: plays the game from a script of player
// actions and prints what happens, one event a line.

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <cstdio>

#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/VirtualClock.h"
#include "platform/qt/QtPlatform.h"
#include "screens/Game.h"
#include "tools/drive/Driver.h"

namespace {

using namespace mofurin;

void printLine(const QString& line) {
  const QByteArray bytes = Driver::escape(line).toUtf8();
  std::fwrite(bytes.constData(), 1, bytes.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

class RealTime : public TimeControl {
 public:
  void wait(qint64 ms) override {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
  }
  bool until(const std::function<bool()>& done, qint64 maxMs) override {
    QElapsedTimer elapsed;
    elapsed.start();
    while (!done()) {
      if (elapsed.elapsed() >= maxMs) return false;
      wait(10);
    }
    return true;
  }
  void settle() override {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  }
};

bool readScript(const QString& path, QString& script) {
  QFile file;
  if (path.isEmpty()) {
    if (!file.open(stdin, QIODevice::ReadOnly)) return false;
  } else {
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
  }
  script = QString::fromUtf8(file.readAll());
  return true;
}

int runHeadless(const QString& script) {
  platform::VirtualClock clock;
  platform::HeadlessPlatform platform(clock, QCoreApplication::applicationDirPath(), QDir::currentPath());
  platform.setTracer(printLine);
  Game ctx(platform);
  VirtualTime time(platform.virtualClock());
  Driver driver(ctx, platform.scriptedDialogs(), time, printLine);
  driver.onSeed = [&platform](quint32 seed) { platform.setSeedBase(seed); };
  ctx.start();
  time.settle();
  return driver.run(script);
}

int runWithWindows(const QString& script) {
  platform::applyGameLook();
  platform::ScriptedDialogs dialogs(printLine);
  platform::QtClock clock;
  platform::QtPlatform platform(clock, QCoreApplication::applicationDirPath(), &dialogs);
  platform.setTracer(printLine);
  Game ctx(platform);
  RealTime time;
  Driver driver(ctx, dialogs, time, printLine);
  driver.onSeed = [&platform](quint32 seed) { platform.setSeedBase(seed); };
  driver.shot = [&platform](const QString& file) {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    QWidget* window = platform.frontWindow();
    return window && window->grab().save(file, "PNG");
  };
  ctx.start();
  time.settle();
  return driver.run(script);
}

}  // namespace

int main(int argc, char** argv) {
  bool withWindows = false;
  QString scriptPath;
  for (int i = 1; i < argc; ++i) {
    const QString arg = QString::fromLocal8Bit(argv[i]);
    if (arg == QLatin1String("--qt")) {
      withWindows = true;
    } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
      std::puts("usage: mofurin-drive [--qt] [SCRIPT]");
      return 0;
    } else {
      scriptPath = arg;
    }
  }
  if (withWindows) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QString script;
    if (!readScript(scriptPath, script)) {
      printLine(QStringLiteral("error: cannot read the script %1").arg(scriptPath));
      return 2;
    }
    return runWithWindows(script);
  }
  QCoreApplication app(argc, argv);
  QString script;
  if (!readScript(scriptPath, script)) {
    printLine(QStringLiteral("error: cannot read the script %1").arg(scriptPath));
    return 2;
  }
  return runHeadless(script);
}
