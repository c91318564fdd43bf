#pragma once

#include <QCoreApplication>
#include <deque>

#include "net/HostAnnouncement.h"
#include "net/NetworkBout.h"
#include "net/Protocol.h"
#include "screens/Screen.h"

namespace mofurin {

// The link window "伝送ボックス": the log of the messages of the bout and
// how the link stands. It is created unseen with every hub and shown by
// "ネットバトル". The link and the rules of the bout are the network bout's;
// the window shows them and keeps their clocks.
class Form11 : public Screen, private BoutLink {
  Q_DECLARE_TR_FUNCTIONS(Form11)

 public:
  static inline const QString kName = screen::Link;
  static constexpr int kLogLines = 200;

  explicit Form11(GameContext& ctx);

  TextBox Text1{*this, "Text1"};
  Label Label1{*this, "Label1"};  // the link's status, and how long the other side has been awaited
  Button Command1{*this, "Command1"};
  // An internet host's invitation, to read aloud or to copy.
  TextBox Code{*this, "Code"};
  Button CopyCode{*this, "CopyCode"};
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

  // The last status the link gave, for a hub that opens after it.
  const QString& status() const { return status_; }
  // "ネットバトル" on the hub: listen as the host, or connect as the guest.
  void startLink(const QString& address, bool asHost);
  // "招待コードを作る": a host through the internet, found by an invitation.
  void invite();

 private:
  // The window's close box ends the link and hides the window; during a bout
  // this side leaves it, as by the battle window's close box.
  void closeBox();
  void showAnew();

  // BoutLink
  void setStatus(const QString& caption) override;
  void holdFighter(bool held) override;
  void holdRole(bool held) override;
  void log(const QString& line) override;
  void listening(bool on) override;
  void showInvitation(const QString& code) override;
  void limitTime(bool on) override;
  void openBattle() override;
  void leaveBattle(const QString& why) override;

  HostAnnouncer announcer_{*this, ctx.platform, ctx.link, ctx.game};  // while listening as the host
  std::deque<QString> log_;
  QString status_;
  int waitedSeconds_ = 0;
};

}  // namespace mofurin
