#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QWidget>

#include "platform/headless/ScriptedDialogs.h"
#include "platform/qt/QtPlatform.h"
#include "screens/Game.h"

namespace mofurin::test {

inline QApplication& application() {
  static int argc = 1;
  static char name[] = "mofurin_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    auto* a = new QApplication(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    platform::applyGameLook();
    return a;
  }();
  return *app;
}

// One game in real (offscreen) windows, its dialogs answered from a queue.
class QtGame {
 public:
  QtGame()
      : app_(application()),
        platform_(clock(),
                  platform::GameFolders{QStringLiteral(MOFURIN_BIN_DIR), folder_.path(), false,
                                        QStringLiteral(MOFURIN_BIN_DIR)},
                  &dialogs),
        ctx(platform_) {
    // The player's own settings stay untouched by the tests.
    platform_.setSettingsFile(folder_.filePath(QStringLiteral("mofurin.conf")));
  }

  // The process's one real clock, shared by every game of the test run.
  static platform::QtClock& clock() {
    static platform::QtClock* c = new platform::QtClock;
    return *c;
  }

  QWidget* window(const QString& screen) {
    platform::Form* form = ctx.forms.find(screen);
    return form ? platform_.windowOf(*form) : nullptr;
  }
  void settle() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  platform::ScriptedDialogs dialogs;

 private:
  QTemporaryDir folder_;  // the game's working folder: its records go here
  QApplication& app_;
  platform::QtPlatform platform_;

 public:
  Game ctx;
};

}  // namespace mofurin::test
