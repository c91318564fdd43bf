#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "platform/headless/HeadlessPlatform.h"
#include "platform/Transport.h"
#include "platform/ice/Sealed.h"
#include "screens/Game.h"
#include "tools/drive/Driver.h"

namespace mofurin::test {

// One game on the headless platform, with its working folder in a fresh
// temporary folder and the program folder where the build put the assets.
class TestGame {
 public:
  explicit TestGame(platform::VirtualClock* sharedClock = nullptr)
      : clock_(sharedClock ? *sharedClock : ownClock_),
        platform_(clock_, QStringLiteral(MOFURIN_BIN_DIR), dir_.path()),
        ctx(platform_) {
    platform_.setTracer([this](const QString& line) { output_ << line; });
  }

  platform::HeadlessPlatform& platform() { return platform_; }
  platform::ScriptedDialogs& dialogs() { return platform_.scriptedDialogs(); }
  QString workingFile(const QString& name) const { return dir_.filePath(name); }

  void writeWorkingFile(const QString& name, const QByteArray& bytes) {
    QFile file(workingFile(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }

  void start() {
    ctx.start();
    platform_.virtualClock().runPosted();
  }

  // Runs a driver script; returns every line it and the game printed since
  // the last call.
  QStringList drive(const QString& script, int* status = nullptr) {
    VirtualTime time(platform_.virtualClock());
    Driver driver(ctx, platform_.scriptedDialogs(), time, [this](const QString& line) { output_ << line; });
    driver.onSeed = [this](quint32 seed) { platform_.setSeedBase(seed); };
    const int rc = driver.run(script);
    if (status) *status = rc;
    return takeOutput();
  }

  QStringList takeOutput() {
    QStringList lines = output_;
    output_.clear();
    return lines;
  }

  template <class F>
  F* screen() {
    return ctx.forms.find<F>();
  }

 private:
  QTemporaryDir dir_;
  platform::VirtualClock ownClock_;
  platform::VirtualClock& clock_;
  platform::HeadlessPlatform platform_;
  QStringList output_;

 public:
  Game ctx;
};

}  // namespace mofurin::test

namespace mofurin::test {

// From the title to the hub with starter slot 3 (春ウサギ) and no typed name.
inline void startWithRabbit(TestGame& t) {
  t.start();
  t.drive("click Form2.o1\nkey Form3 51\nanswer OK\nclick Form3.Command1\n");
  t.takeOutput();
}

// Both games' next links run over streams sealed with the keys of one
// exchange, over the links `inner` makes for each side (their wire's TCP
// unless told otherwise).
using InnerLink = std::function<std::unique_ptr<platform::Transport>(TestGame&, bool host)>;
inline void sealLinks(TestGame& host, TestGame& guest, InnerLink inner = {}) {
  if (!inner) {
    inner = [](TestGame& t, bool) { return platform::tcpTransport(t.ctx.platform.network(), t.ctx.link.port); };
  }
  const platform::KeyPair hostPair, guestPair;
  const auto seal = [&inner](TestGame& t, bool isHost, platform::KeyPair::StreamKeys keys) {
    t.ctx.networkBout.useTransport([&t, isHost, keys, inner](bool) {
      return platform::heldWhileModal(platform::sealedStream(inner(t, isHost), keys), t.ctx.platform);
    });
  };
  seal(host, true, *hostPair.streamKeys(guestPair.publicKey(), true));
  seal(guest, false, *guestPair.streamKeys(hostPair.publicKey(), false));
}

}  // namespace mofurin::test
