#pragma once

#include <QCoreApplication>
#include <deque>
#include <functional>
#include <memory>

#include "net/NetworkBout.h"
#include "net/Protocol.h"
#include "platform/Socket.h"
#include "screens/HostFinder.h"
#include "screens/Screen.h"

namespace mofurin {

// The link window "伝送ボックス": the socket to the other machine and the log
// of the messages of the bout. It is created unseen with every hub (the hub
// shows this machine's address) and shown by "ネットバトル". The rules of
// the bout are the network bout's; the window carries its messages.
class Form11 : public Screen, private BoutLink {
  Q_DECLARE_TR_FUNCTIONS(Form11)

 public:
  static inline const QString kName = QStringLiteral("Form11");
  static constexpr int kLogLines = 200;

  explicit Form11(GameContext& ctx);

  TextBox Text1{*this, "Text1"};
  Label Label1{*this, "Label1"};  // the link's status, and how long the other side has been awaited
  Button Command1{*this, "Command1"};
  Timer Timer1{*this, "Timer1", 1, true};
  // A guest gives up connecting, and either side a set-up that stalls.
  Timer Timer2{*this, "Timer2", 10000, false};
  // Counts the seconds this side of a bout waits for the other: a machine
  // that vanished is only judged lost after most of a minute.
  Timer Timer3{*this, "Timer3", 1000, false};

  void Form_Load() override;
  void showTexts() override;
  void Form_Unload() override;
  void Timer1_Timer() { ctx.networkBout.tick(); }
  void Timer2_Timer();
  void Timer3_Timer();
  void Command1_Click() { ctx.endAtPlayersWord(); }
  bool keepsGameOpen() const override { return false; }

  QString ownAddress() const { return Winsock->localAddress(); }
  // The last status the link gave, for a hub that opens after it.
  const QString& status() const { return status_; }
  // "ネットバトル" on the hub: listen as the host, or connect as the guest.
  void startLink(const QString& address, bool asHost);

 private:
  // The window's close box ends the link and hides the window; during a bout
  // this side leaves it, as by the battle window's close box.
  void closeBox();

  // Socket events wait while this game shows a box or a file dialog, as its
  // timers do, and come afterwards in the order they arrived. Arrivals that
  // wait side by side are one: the first takes all the bytes.
  enum class SocketEvent { ConnectionRequest, Connected, DataArrival, Closed, Error };
  void deliver(SocketEvent event);
  void deliverHeld();
  void handle(SocketEvent event);

  void onConnectionRequest();
  void onConnected();
  void onDataArrival();
  void onError();

  // BoutLink
  void send(const QString& message) override;
  void closeConnection() override;
  bool listen() override;
  void setStatus(const QString& caption) override;
  void holdFighter(bool held) override;
  void log(const QString& line) override;
  void holdRole(bool held) override;
  void openBattle() override;
  void leaveBattle(const QString& why) override;

  // Closes the socket; a host that stops listening stops announcing itself.
  void closeSocket();

  std::unique_ptr<platform::Socket> Winsock;
  HostAnnouncer announcer_{*this, ctx};  // while listening as the host
  FrameReader frames_;
  std::deque<SocketEvent> held_;
  bool delivering_ = false;
  bool deliveryPosted_ = false;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  std::deque<QString> log_;
  QString status_;
  int waitedSeconds_ = 0;
};

}  // namespace mofurin
