#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "battle/BattleState.h"
#include "battle/OtherSide.h"
#include "game/GameState.h"
#include "net/LinkState.h"
#include "net/Protocol.h"
#include "platform/Transport.h"

namespace mofurin {

class BattleEngine;

// What the player is told when the other player fled, or the link was lost.
QString peerFledText();
QString linkLostText();
// Why a link could not be made, in the player's words.
QString whyNotConnectedText(platform::Transport::Problem problem);

// What a network bout needs from the link window, which shows how the link
// stands and keeps its clocks.
class BoutLink {
 public:
  virtual ~BoutLink() = default;

  virtual void setStatus(const QString& caption) = 0;
  // While the copies exchange their fighters nothing may change one (the
  // shop closes and cannot open), or the other copy would fight another.
  virtual void holdFighter(bool held) = 0;
  // From the press of "ネットバトル" until the link is given up, this side
  // stays host or guest: the two copies agree on it when they connect.
  virtual void holdRole(bool held) = 0;
  virtual void log(const QString& line) = 0;
  // This side waits for a guest (the LAN hears of it), or no longer does.
  virtual void listening(bool on) = 0;
  // An internet host's invitation, to read aloud or copy to a friend.
  virtual void showInvitation(const QString& code) = 0;
  // Reaching the other machine, and the set-up after it, must end in time:
  // the window's clock calls NetworkBout::timeUp().
  virtual void limitTime(bool on) = 0;

  // The battle screen opens beside the link and everything else closes.
  virtual void openBattle() = 0;
  // Tells the player why, then closes the battle screen.
  virtual void leaveBattle(const QString& why) = 0;
};

// The rules of a bout between two copies of the game: the link over its
// transport, the set-up exchange, who waits for whom, the answers and
// resends, fleeing, and what a lost link means. Both copies run the same
// engine on their own record of the bout; these rules keep the records
// equal. The link window shows the link; to the engine this object is the
// other side.
class NetworkBout final : public AnotherPlayer {
 public:
  // A link's transport: over the internet by an invitation, or on the LAN.
  using MakeTransport = std::function<std::unique_ptr<platform::Transport>(bool overInternet)>;

  NetworkBout(GameState& game, BattleState& battle, LinkState& link, MakeTransport makeTransport)
      : game_(game), battle_(battle), link_(link), makeTransport_(std::move(makeTransport)) {}

  // What the next link runs over.
  void useTransport(MakeTransport makeTransport) { makeTransport_ = std::move(makeTransport); }

  void attach(BoutLink* link) { out_ = link; }
  // The link window goes: a link not yet fighting goes with it.
  void detach(BoutLink* link);

  // "ネットバトル": a new link from the first set-up message, as the host
  // (which waits for a guest) or as a guest (which dials the address).
  // overInternet: the host hands out an invitation, and the guest's
  // address is one.
  void start(const QString& address, bool asHost, bool overInternet = false);
  // The player gives the link up before a bout opened on it.
  void end();
  bool host() const { return host_; }
  bool roleHeld() const { return roleHeld_; }
  // How the bout under way (or the last one) runs: none, lan, direct or
  // relayed.
  QString connection() const;
  // An internet link is being made, is open or is closing.
  bool throughInternet() const {
    return overInternet_ && transport_ && transport_->state() != platform::Transport::State::Closed;
  }
  // The window's clock: reaching the other machine, or the set-up, took
  // too long.
  void timeUp();
  // The receive loop: hands the oldest queued battle message to the bout
  // while this copy waits for the other.
  void tick();

  // The other side of the engine: this player's choice and strikes go to
  // the other machine, which chooses first when it is the host.
  void open(BattleEngine& engine) override { engine_ = &engine; }
  void hearChoice(BattleEngine& engine) override;
  void hearStrike(BattleEngine& engine) override;
  void playerFlees() override { flee(); }
  // The battle screen closes, however the bout ended. True when this side
  // left an undecided bout: it fled, and the other side is told.
  bool boutCloses() override;
  // The program ends during a bout: an undecided one is fled, so the other
  // side is told. True when this side fled.
  bool programEnds() override;
  bool returnsToHub() const override { return true; }

  bool settingUp() const { return stage_ == Stage::SettingUp; }
  bool fighting() const { return battle_.networkBattle; }

  // What the transport reports; a test may play it.
  void connected();
  void received(const QString& message);  // one whole message
  void closed();                          // the connection ended or broke

 private:
  enum class Stage { Idle, Listening, Connecting, SettingUp, Fighting };

  void enter(Stage stage);
  void holdRole(bool held);
  void setStatus(const QString& caption);

  void invitationReady();
  QString way() const;
  QString whyNotConnected() const;
  void arrived();
  void lost();
  void closeConnection();
  void listenForGuest(const QString& status);
  void send(const QString& message);
  void startSetupOver();
  void sousin();
  void jusin();
  void matid();  // a full inbox drops the message
  bool inboxFull() const;
  bool playerChoosing() const;
  void kouju();
  bool awaited(const BattleMessage& m) const;
  qint32 peersRound(const QString& tag) const;
  void openBattle();
  void takePeerFighter();
  void sendChoice();
  void sendStrike();
  void flee();
  void resendLast();
  void peerFled();
  void checkLostLink();
  void linkLost();
  void setupTimedOut();
  void backToWaiting();
  QString outcome() const;
  bool boutUndecided() const;
  bool queued(const QString& tag) const;

  GameState& game_;
  BattleState& battle_;
  LinkState& link_;
  MakeTransport makeTransport_;
  std::unique_ptr<platform::Transport> transport_;
  FrameReader frames_;
  BoutLink* out_ = nullptr;
  BattleEngine* engine_ = nullptr;  // the open bout's
  Stage stage_ = Stage::Idle;
  bool roleHeld_ = false;
  bool overInternet_ = false;
  QString lastConnection_ = QStringLiteral("none");
  // The other fighter as its set-up messages describe it (side 1); it takes
  // the opponent's side only when the bout opens, so that nothing the hub
  // does meanwhile (a save, a tournament bout) sees it.
  GameState peer_;
  bool linkClosed_ = false;
  bool fleeSent_ = false;
  bool peerFled_ = false;
  bool lostLinkShown_ = false;
  bool heldBack_ = false;  // the inbox was full: the transport holds the rest
  QString opponentName_;   // the other fighter, once the link's bout opened
};

}  // namespace mofurin
