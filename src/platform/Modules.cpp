// The parts of the game loaded when first needed, from the modules' folder:
// linked into the program, their libraries would load at every start. The
// LAN's sockets come from one (Qt's network library, with the Kerberos and
// proxy libraries it brings), internet links from the other.

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QTimer>
#include <map>

#include "platform/GameFolders.h"
#include "platform/InternetServers.h"
#include "platform/Socket.h"
#include "platform/Transport.h"

namespace mofurin::platform {

namespace {

// The entry of the module at `path`, loaded on the first call; null when
// the module is missing or of another build (the log says which).
QFunctionPointer moduleEntry(const QString& path, const char* entry) {
  static std::map<QString, QFunctionPointer> entries;
  if (const auto known = entries.find(path); known != entries.end() && known->second) return known->second;
  QLibrary module(path);
  // Never unloaded: what it made, and its threads, may live to the end.
  if (!module.load()) {
    qWarning("mofurin: no network bouts of this kind: %s", qPrintable(module.errorString()));
    return nullptr;
  }
  const QFunctionPointer found = module.resolve(entry);
  if (!found) qWarning("mofurin: %s is of another build", qPrintable(module.fileName()));
  return entries[path] = found;
}

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

// The LAN as the module makes it, once something needs it. Without the
// module no socket can be had, and nothing is busy.
class LanFromModule final : public Network {
 public:
  explicit LanFromModule(const QString& modulesFolder)
      : path_(QDir(modulesFolder).filePath(QStringLiteral("mofurin-lan.so"))) {}

  std::unique_ptr<Socket> createSocket() override {
    return lan() ? lan()->createSocket() : std::make_unique<NoSocket>();
  }
  std::unique_ptr<DatagramSocket> createDatagramSocket() override {
    return lan() ? lan()->createDatagramSocket() : std::make_unique<NoDatagrams>();
  }
  bool busy() const override { return lan_ && lan_->busy(); }
  QString localAddress() const override {
    return lan() ? lan()->localAddress() : QStringLiteral("127.0.0.1");
  }
  bool present() override { return lan() != nullptr; }

 private:
  // Never listens, and every try to connect fails at once.
  class NoSocket final : public Socket {
   public:
    bool listen(quint16) override { return false; }
    void connectTo(const QString&, quint16) override {
      QTimer::singleShot(0, &events_, [this] {
        if (onError) onError(QStringLiteral("no LAN module"));
      });
    }
    void accept() override {}
    void send(const QByteArray&) override {}
    QByteArray receive() override { return {}; }
    void close() override {}
    State state() const override { return State::Closed; }
    QString localAddress() const override { return QStringLiteral("127.0.0.1"); }

   private:
    QObject events_;
  };
  class NoDatagrams final : public DatagramSocket {
   public:
    bool bind(quint16) override { return false; }
    void broadcast(const QByteArray&, quint16) override {}
    std::vector<Datagram> receive() override { return {}; }
    void close() override {}
    bool bound() const override { return false; }
  };

  Network* lan() const {
    if (!lan_ && !tried_) {
      tried_ = true;
      if (const auto entry = reinterpret_cast<LanEntry>(moduleEntry(path_, MOFURIN_LAN_ENTRY))) lan_.reset(entry());
    }
    return lan_.get();
  }

  QString path_;
  mutable std::unique_ptr<Network> lan_;
  mutable bool tried_ = false;
};

}  // namespace

std::unique_ptr<Transport> missingModuleLink() { return std::make_unique<MissingModule>(); }

std::unique_ptr<Transport> invitedLink(const InternetServers& servers) {
  const QString folder = findGameFolders(QCoreApplication::applicationDirPath()).modules;
  const auto entry = reinterpret_cast<InternetEntry>(
      moduleEntry(QDir(folder).filePath(QStringLiteral("mofurin-internet.so")), MOFURIN_INTERNET_ENTRY));
  if (entry) return std::unique_ptr<Transport>(entry(servers));
  return missingModuleLink();
}

std::unique_ptr<Network> lanNetwork(const QString& modulesFolder) {
  return std::make_unique<LanFromModule>(modulesFolder);
}

}  // namespace mofurin::platform
