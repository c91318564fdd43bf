// Where the game's internet links come from: the module, loaded on the
// first internet bout.

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QTimer>

#include "platform/GameFolders.h"
#include "platform/InternetServers.h"

namespace mofurin::platform {

namespace {

// What the game has instead of a link when its module is not there: every
// try fails at once, with the reason.
class MissingModule final : public Transport {
 public:
  bool listen() override {
    failSoon(State::Listening);
    return true;
  }
  void connect(const QString&) override { failSoon(State::Connecting); }
  void send(const QByteArray&) override {}
  QByteArray receive() override { return {}; }
  void close() override {
    ++attempt_;
    state_ = State::Closed;
  }
  State state() const override { return state_; }
  Problem problem() const override { return Problem::ModuleMissing; }

 private:
  void failSoon(State trying) {
    state_ = trying;
    QTimer::singleShot(0, &events_, [this, attempt = ++attempt_] {
      if (attempt != attempt_) return;  // closed since
      state_ = State::Closed;
      if (onLost) onLost();
    });
  }

  State state_ = State::Closed;
  int attempt_ = 0;
  QObject events_;
};

InternetEntry loadInternetModule() {
  static InternetEntry entry = nullptr;
  if (entry) return entry;
  const QString folder = findGameFolders(QCoreApplication::applicationDirPath()).modules;
  QLibrary module(QDir(folder).filePath(QStringLiteral("mofurin-internet.so")));
  // Never unloaded: its links and their threads may live to the end.
  if (!module.load()) {
    qWarning("mofurin: no internet bouts: %s", qPrintable(module.errorString()));
    return nullptr;
  }
  entry = reinterpret_cast<InternetEntry>(module.resolve(MOFURIN_INTERNET_ENTRY));
  if (!entry) qWarning("mofurin: no internet bouts: %s is of another build", qPrintable(module.fileName()));
  return entry;
}

}  // namespace

std::unique_ptr<Transport> invitedLink(const InternetServers& servers) {
  if (const InternetEntry entry = loadInternetModule()) return std::unique_ptr<Transport>(entry(servers));
  return std::make_unique<MissingModule>();
}

}  // namespace mofurin::platform
