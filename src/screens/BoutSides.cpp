#include "screens/BoutSides.h"

#include <QCoreApplication>
#include <algorithm>
#include <array>

#include "net/NetworkBout.h"
#include "screens/BattleScreen.h"
#include "screens/Hub.h"
#include "screens/Learning.h"
#include "screens/Replays.h"
#include "screens/Story.h"

namespace mofurin {

namespace {

constexpr Side P = Side::Player;
constexpr Side O = Side::Opponent;

constexpr int kReplayChoicePause = 1000;  // ms at ×1 before a recorded choice is played

}  // namespace

// ---- The player's commands -------------------------------------------------

// The player at this machine: the command panel, AUTO, and a record kept of
// the bout however it ends.
class PlayerAtCommands final : public PlayerSide {
 public:
  PlayerAtCommands(Form1& screen, OtherSide& other) : s_(screen), ctx_(screen.ctx), other_(other) {}

  OtherSide& other() override { return other_; }
  void watch() override { s_.Timer1.start(); }
  void choose() override { s_.showCommandPanel(); }

  void flee() override {
    s_.engine_.restoreHitPoints();
    other_.playerFlees();
    ctx_.forms.close(s_);
    ctx_.forms.show<Form4>();
  }

  void leave(BattleHost::Next next) override {
    ctx_.forms.close(s_);
    switch (next) {
      case BattleHost::Next::Hub: ctx_.forms.show<Form4>(); break;
      case BattleHost::Next::Learning: ctx_.forms.show<Form6>(); break;
      case BattleHost::Next::Story: ctx_.forms.show<Form7>(); break;
    }
  }

  void endProgram() override { ctx_.end(); }

  void unload() override {
    // Leaving an undecided bout against another player is a flight, on this
    // record as on the other machine's.
    if (other_.boutCloses()) s_.leftUndecided_ = true;
    s_.keepRecord();
    s_.engine_.restoreHitPoints();
    s_.engine_.putBackTournamentOpponent();
    if (other_.returnsToHub()) ctx_.forms.show<Form4>();
  }

  void gameEnds() override {
    if (other_.programEnds()) s_.leftUndecided_ = true;
    s_.keepRecord();
  }

  bool closeShowsAnotherScreen() const override { return other_.returnsToHub(); }

 private:
  Form1& s_;
  GameContext& ctx_;
  OtherSide& other_;
};

// ---- A record played back ------------------------------------------------

// A replay: the record plays the player's side (its choices, AUTO's draws,
// the flight) and, for a bout between two machines, the other machine's
// too. The rules draw the recorded values, and every event is checked
// against the record; a replay that strays ends with a message.
class RecordedBout final : public PlayerSide {
 public:
  explicit RecordedBout(Form1& screen)
      : s_(screen),
        ctx_(screen.ctx),
        record_(ctx_.replay->record),
        returnsSomewhere_(!ctx_.replay->returnTo.isEmpty()),
        peer_(record_.host) {}

  OtherSide& other() override { return record_.network ? static_cast<OtherSide&>(peer_) : s_.engine_.computer(); }
  void open() override;
  void choose() override { s_.Timer7.start(); }
  void engineTicked() override { endIfAstray(); }
  void flee() override { finishReplay(ctx_, problem()); }
  void leave(BattleHost::Next) override { finishReplay(ctx_, problem(), true); }
  void endProgram() override { finishReplay(ctx_, problem(), true); }
  void unload() override {
    ctx_.random.feedRules({});  // nothing of this screen is asked any more
    finishReplay(ctx_);
  }
  void gameEnds() override {}
  bool closeShowsAnotherScreen() const override { return returnsSomewhere_; }
  int speed() const override { return ctx_.replay ? ctx_.replay->speed : 1; }

 private:
  // The other machine of a recorded bout: the record answers for it.
  struct RecordedPeer final : AnotherPlayer {
    explicit RecordedPeer(bool host) { host_ = host; }
  };

  void changeSpeed();
  void playChoice();
  void answerAsPeer();
  bool endAsPeer(const BoutEvent* next);
  void endIfAstray();
  std::optional<QString> problem() const;

  Form1& s_;
  GameContext& ctx_;
  const BoutRecord& record_;
  bool returnsSomewhere_;
  RecordedPeer peer_;
};

// The command panel gives way to the replay's controls.
void RecordedBout::open() {
  s_.recorder_.checkAgainst(&record_);
  ctx_.random.feedRules([this] { return s_.recorder_.expectedDraw(); });
  s_.Timer1.stop();
  s_.SAISEI.setVisible(true);
  s_.Command1.setVisible(false);
  s_.Label4.setVisible(false);
  const auto& speeds = Form1::kReplaySpeeds;
  const auto speed = std::find(speeds.begin(), speeds.end(), ctx_.replay->speed);
  s_.SOKUDO.setListIndex(speed == speeds.end() ? 0 : static_cast<int>(speed - speeds.begin()));
  s_.setInitialFocus(&s_.TEISI);
  s_.TEISI.onClick = [this] { finishReplay(ctx_); };
  s_.SOKUDO.onClick = [this] { changeSpeed(); };
  s_.Timer7.onTimer = [this] { playChoice(); };
  s_.Timer8.onTimer = [this] { answerAsPeer(); };
  if (record_.network) s_.Timer8.start();
}

void RecordedBout::changeSpeed() {
  const int index = s_.SOKUDO.listIndex();
  if (index < 0 || !ctx_.replay) return;
  ctx_.replay->speed = Form1::kReplaySpeeds[index];
  s_.setEngineInterval(s_.engineInterval_);
  s_.Timer7.setInterval(kReplayChoicePause / ctx_.replay->speed);
}

// The command phase of a replay: the player's recorded choice, AUTO's, or
// the flight; at the end of the record, the end of the replay.
void RecordedBout::playChoice() {
  s_.Timer7.stop();
  const BoutEvent* next = s_.recorder_.nextExpected();
  const auto* choice = next ? std::get_if<ChoiceEvent>(next) : nullptr;
  const auto* draw = next ? std::get_if<DrawEvent>(next) : nullptr;
  if (choice && choice->chooser == Chooser::Player) {
    s_.WAZA.setListIndex(choice->slot);
    ctx_.battle.chosenSlot[P] = choice->slot;
    s_.engine_.startRound(Chooser::Player);
  } else if (draw && draw->rule == Draw::Auto) {  // AUTO draws, then chooses
    ctx_.battle.autoTurns = std::max(ctx_.battle.autoTurns, 1);
    s_.engine_.chooseAuto();
  } else if (endAsPeer(next)) {
    return;
  } else if (next && std::holds_alternative<FleeEvent>(*next)) {
    s_.NIGERU_Click();
    return;
  } else {
    finishReplay(ctx_, problem());
    return;
  }
  endIfAstray();
}

// While the replay of a network bout waits for the other machine, the
// record gives what that machine sent: its choice, its strike, or the
// answer to this side's message (the next event is then this side's own).
void RecordedBout::answerAsPeer() {
  BattleState& b = ctx_.battle;
  if (!b.awaitingPeer) return;
  const BoutEvent* next = s_.recorder_.nextExpected();
  if (endAsPeer(next)) return;
  const auto* choice = next ? std::get_if<ChoiceEvent>(next) : nullptr;
  const auto* strike = next ? std::get_if<PeerStrikeEvent>(next) : nullptr;
  if (b.battlePhase == Phase::OpponentAnnounces && choice && choice->chooser == Chooser::Peer) {
    s_.engine_.takeRemoteChoice(choice->slot);
  } else if (b.battlePhase == Phase::OpponentHitLands && strike) {
    s_.engine_.takeRemoteHit(strike->damage, strike->roll, strike->part);
  } else if (!next || (b.battlePhase != Phase::PlayerAnnounces && b.battlePhase != Phase::PlayerHitLands &&
                       b.battlePhase != Phase::OpponentChooses)) {
    finishReplay(ctx_, problem());
    return;
  }
  s_.engine_.otherSideAnswered();
  endIfAstray();
}

// The other player's flight or a lost link, as the record has it.
bool RecordedBout::endAsPeer(const BoutEvent* next) {
  const auto* flee = next ? std::get_if<FleeEvent>(next) : nullptr;
  const bool lost = next && std::holds_alternative<LinkLostEvent>(*next);
  if (!lost && !(flee && flee->side == O)) return false;
  s_.engine_.note(*next);
  s_.msgBox(lost ? linkLostText() : peerFledText());
  finishReplay(ctx_, problem());
  return true;
}

void RecordedBout::endIfAstray() {
  if (!s_.recorder_.diverged()) return;
  // Whatever the engine is in the middle of finishes first.
  ctx_.platform.post([&c = ctx_, p = problem()] { finishReplay(c, p); });
}

// Nothing when the replay went as recorded: every recorded event came in
// order and the bout ended the same way, or the record stops (its window was
// closed) and everything up to there came.
std::optional<QString> RecordedBout::problem() const {
  const std::vector<BoutEvent>& played = s_.recorder_.record().events;
  const std::vector<BoutEvent>& expected = record_.events;
  const bool followed =
      played.size() >= expected.size() && std::equal(expected.begin(), expected.end(), played.begin());
  const bool leftByClosing = record_.ending == Ending::Fled &&
                             std::none_of(expected.begin(), expected.end(),
                                          [](const BoutEvent& e) { return std::holds_alternative<FleeEvent>(e); });
  const bool same = record_.ending == Ending::Unfinished || leftByClosing ||
                    (played.size() == expected.size() &&
                     boutEnding(s_.recorder_.record(), ctx_.battle.battleResult) == record_.ending);
  if (followed && same) return std::nullopt;
  return QCoreApplication::translate("Form1",
                                     "このリプレイは記録どおりに再生できませんでした。\r\n"
                                     "別の版のゲームで記録されたのかもしれません。");
}

// ---- Choosing the sides ----------------------------------------------------

std::unique_ptr<PlayerSide> sidesFor(Form1& screen) {
  GameContext& ctx = screen.ctx;
  if (ctx.replay) return std::make_unique<RecordedBout>(screen);
  OtherSide& other = ctx.battle.networkBattle ? static_cast<OtherSide&>(ctx.networkBout) : screen.engine_.computer();
  return std::make_unique<PlayerAtCommands>(screen, other);
}

}  // namespace mofurin
