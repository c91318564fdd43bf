#pragma once

#include <memory>

#include "net/Protocol.h"
#include "platform/Socket.h"
#include "screens/Screen.h"

namespace mofurin {

// The link window "伝送ボックス": the socket to the other machine, the log of
// the last battle message, and the receive loop that hands queued battle
// messages to the bout. It is created unseen with every hub (the hub shows
// this machine's address) and shown by "ネットバトル".
class Form11 : public Screen {
 public:
  static inline const QString kName = QStringLiteral("Form11");
  explicit Form11(GameContext& ctx);

  TextBox Text1{*this, "Text1"};
  Button Command1{*this, "Command1"};
  Timer Timer1{*this, "Timer1", 1, true};
  Timer Timer2{*this, "Timer2", 10000, false};  // a guest gives up connecting

  void Form_Load() override;
  void Form_Unload() override;
  void Timer1_Timer();
  void Command1_Click() { ctx.end(); }

  QString ownAddress() const { return Winsock->localAddress(); }
  // "ネットバトル" on the hub: listen as the host, or connect as the guest.
  void startLink(const QString& address, bool asHost);

  void sousin();
  void jusin();
  void matid();
  void kouju();
  void sensou();
  void kousou();
  void NIGE();
  // The battle screen closes: so does the connection. A bout left undecided
  // (the window's close box) counts as fleeing: the other side is told.
  void endBout() {
    if (boutUndecided()) NIGE();
    Winsock->close();
  }

 private:
  void send(const QString& message);
  void setStatus(const QString& caption);
  void listen();
  void onConnectionRequest();
  void onConnected();
  void onDataArrival();
  void onClosed();
  void onError();
  void receive(const QString& message);
  void openBattle();
  // The connection ended or broke: during a bout still being fought the
  // player is told and taken back to the hub; otherwise the setup starts over.
  void linkEnded();
  bool boutUndecided() const;
  // The next connection starts from the first setup message.
  void startSetupOver();

  std::unique_ptr<platform::Socket> Winsock;
  FrameReader frames_;
  bool fleeSent_ = false;
  bool peerFled_ = false;
};

}  // namespace mofurin
