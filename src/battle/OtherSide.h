#pragma once

namespace mofurin {

class BattleEngine;

// The other side of a bout, as the engine asks it: who chooses and strikes
// for the opponent, and who must hear of this player's choices and strikes.
// The computer plays on this copy with the rules' draws. Another player (the
// other machine, or the record of a bout against one) is waited for: its
// answers come through BattleEngine::takeRemoteChoice/takeRemoteHit, and
// whoever brings them starts the engine again.
class OtherSide {
 public:
  virtual ~OtherSide() = default;

  // The bout opens.
  virtual void open(BattleEngine& engine) = 0;
  // The opponent's turn to choose a technique, and to strike with it.
  virtual void choose(BattleEngine& engine) = 0;
  virtual void strike(BattleEngine& engine) = 0;
  // This player has chosen, or has struck.
  virtual void hearChoice(BattleEngine& engine) = 0;
  virtual void hearStrike(BattleEngine& engine) = 0;
  // The end of this player's strike, before it is judged.
  virtual void playerStrikeEnds(BattleEngine& engine) = 0;

  // Another player shows only costs in its list (its own message says what
  // it chose) and leaves no room for AUTO.
  virtual bool isAnotherPlayer() const = 0;
  // The host chooses first; a guest first watches the host's strike.
  virtual bool playerChoosesFirst() const { return true; }

  // What the other side is told when this player leaves. boutCloses() and
  // programEnds() are true when leaving was a flight from an undecided bout.
  virtual void playerFlees() {}
  virtual bool boutCloses() { return false; }
  virtual bool programEnds() { return false; }
  // A bout against the other machine goes back to the hub, beside the link,
  // however it ends.
  virtual bool returnsToHub() const { return false; }
};

// The computer opponent: it chooses and strikes at once, on this copy.
class ComputerSide final : public OtherSide {
 public:
  void open(BattleEngine& engine) override;
  void choose(BattleEngine& engine) override;
  void strike(BattleEngine& engine) override;
  void hearChoice(BattleEngine& engine) override;
  void hearStrike(BattleEngine&) override {}
  void playerStrikeEnds(BattleEngine&) override {}
  bool isAnotherPlayer() const override { return false; }
};

// Another player: the engine waits for each of its choices and strikes, and
// for its answer to each of this player's.
class AnotherPlayer : public OtherSide {
 public:
  void open(BattleEngine&) override {}  // its fighter came with its name
  void choose(BattleEngine& engine) override;
  void strike(BattleEngine& engine) override;
  void hearChoice(BattleEngine& engine) override;
  void hearStrike(BattleEngine& engine) override;
  // Both copies judge a strike with usability worked out after it: the
  // other copy does so at the end of its round.
  void playerStrikeEnds(BattleEngine& engine) override;
  bool isAnotherPlayer() const override { return true; }
  // The host chooses first in every round.
  bool playerChoosesFirst() const override { return host_; }

 protected:
  bool host_ = false;  // this machine's player is the host
};

}  // namespace mofurin
