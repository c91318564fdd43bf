#pragma once

#include <QString>
#include <optional>

#include "battle/BattleState.h"
#include "battle/BoutRecord.h"
#include "battle/OtherSide.h"
#include "game/GameState.h"
#include "game/Random.h"

namespace mofurin {

// What the turn engine asks of the battle screen. Every call runs to
// completion inside the engine's tick; a wait is the screen stopping the
// engine's timer (Timer3) and whoever finishes first starting it again.
class BattleHost {
 public:
  enum class Next { Hub, Learning, Story };

  virtual ~BattleHost() = default;

  virtual void setMessage(const QString& text) = 0;     // MSG, replaced
  virtual void appendMessage(const QString& text) = 0;  // MSG, added to
  virtual void startEngine() = 0;                       // Timer3
  virtual void stopEngine() = 0;
  virtual void setEngineInterval(int ms) = 0;
  virtual void openCommandPhase() = 0;   // start Timer1, show HV125
  virtual void closeCommandPhase() = 0;  // stop Timer1, hide HV125
  // WAZA and Combo1 from slotList(), and both portraits as at opening.
  virtual void refillLists() = 0;
  virtual void disableFlee() = 0;  // NIGERU (0), for the rest of the bout
  // ZYOU, HITP, NAMAE and Label2 from the battle texts.
  virtual void showStatus() = 0;
  // Sprite, hit sound of soundSide and damage pop-up, from what the engine
  // has just set in BattleState. The engine has stopped itself; the end of
  // the sprite starts it again.
  virtual void hitAnimation(Side attacker) = 0;
  virtual void missPopup(Side attacker) = 0;         // "ＭＩＳＳ" instead of the damage
  virtual void messageBox(const QString& text) = 0;  // modal, OK; returns when answered
  virtual void endProgram() = 0;                     // game over: nothing runs after it
  // Closes the battle screen (its closing sequence) and shows the next one.
  virtual void leaveBout(Next next) = 0;
};

namespace BattleResult {
constexpr qint32 Running = 0;
constexpr qint32 PlayerBeaten = 1;
constexpr qint32 BothBeaten = 2;
constexpr qint32 OpponentBeaten = 3;
}  // namespace BattleResult

constexpr qint32 kBeatenMark = 9999;  // chosenSlot of a side that can no longer fight

// The hit sprite's frames for its first ten ticks and how it moves.
struct HitPattern {
  QString frames;
  qint32 motion;
};

// By the technique's three code characters; none for a code without a row,
// which leaves the previous pattern in place.
std::optional<HitPattern> hitPatternFor(const QString& technique);

// The bout's rules: one round played out tick by tick, the strikes, the
// computer opponent's choice, the end-of-bout check and the rewards.
class BattleEngine {
 public:
  BattleEngine(GameState& game, BattleState& battle, Random& random, BattleHost& host);

  // The state part of opening the battle screen, reseeding included. The
  // screen fills its lists and portraits afterwards, then calls STA().
  void open();
  // Where the bout is written down as it goes (none: nowhere).
  void setLog(BoutLog* log) { log_ = log; }
  // Who stands on the other side (the computer unless told otherwise).
  void setOtherSide(OtherSide* other) { other_ = other ? other : &computer_; }
  // The computer opponent of every bout that has no other player.
  OtherSide& computer() { return computer_; }

  // A confirmed choice: closes the command phase and starts the round.
  void startRound(Chooser chooser = Chooser::Player);
  // The AUTO choice for the player while AUTO turns are left (the screen
  // calls it only while the command panel is shown). On acceptance the round
  // is started and one AUTO turn used up. No slot is drawn at all when none
  // could be accepted.
  std::optional<int> chooseAuto();
  // One tick of Timer3.
  void tick();
  // The other machine has gone while this one waited for it: the bout is
  // judged on this copy. True when a side is beaten and the closing has
  // begun; false when the bout was still open.
  bool judgeWithoutPeer();
  // True once the bout has been left or the program ended: ticks do nothing.
  bool done() const { return done_; }

  // The engine stops until the other side's answer starts it again. These
  // are the only places that say whether this copy waits for the other.
  void waitForOtherSide();
  void waitForOpponentsChoice();  // and says so
  void otherSideAnswered();
  // A bout whose first round the other side opens: this side first waits
  // for the other's choice and watches its strike.
  void watchFirstRound();
  // The command panel is open: the player (or AUTO) is choosing.
  bool playerChoosing() const { return commandsOpen_ && !done_; }
  void openCommands();
  void resume();
  // The striker's damage and roll, drawn on this copy.
  void strike();

  void ATTA();
  void TEKI();
  void OFFA();
  void ETA();
  void WP();
  void STA();
  void HYOU();
  void restoreHitPoints();
  // A training or network bout borrowed the tournament opponent's side: it
  // is given back, however the bout ended.
  void putBackTournamentOpponent();
  // One hit of the other player's strike, as its machine resolved it: this
  // copy pays the technique's cost on the first hit and reckons what the hit
  // is worth, as the striker did.
  void takeRemoteHit(qint32 damage, qint32 missRoll, int part);
  // The other player's choice of slot, as its machine sent it.
  void takeRemoteChoice(qint32 slot);
  // Writes down what the record keeps beyond the engine's own events (the
  // other player's flight, a lost link).
  void note(const BoutEvent& event);

  // The defender's part that takes the next hit: body, legs, arms, head, the
  // first with HP above 0; -1 when none has.
  static int TargetPart(const GameState& game, Side defender);

 private:
  Side attacker() const;
  float draw(Draw rule);
  QString chosenTechnique(Side s) const;
  qint32 chosenCost(Side s) const;
  void pay(Side s, int p, qint32 cost);
  void subtractDefence(Side defender, double share);
  bool canFight(Side s) const;
  bool affordable(int playerSlot) const;

  void runPhase(Side a);
  void announce(Side a);
  void resolveHit(Side a);
  void landHit(Side a);
  void ATA(Side a);
  void startPopup(Side a);
  void endRound();

  void closeBout(qint32 result);
  void drawBout();
  void loseBout();
  void winBout();
  void leaveIfOver();

  GameState& game_;
  BattleState& battle_;
  Random& random_;
  BattleHost& host_;
  BoutLog* log_ = nullptr;
  ComputerSide computer_;
  OtherSide* other_ = &computer_;
  bool done_ = false;
  bool commandsOpen_ = false;
};

}  // namespace mofurin
