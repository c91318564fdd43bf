#include "screens/BoutSides.h"

#include <QCoreApplication>
#include <algorithm>
#include <array>

#include "context/GameContext.h"
#include "net/NetworkBout.h"
#include "screens/Replays.h"
#include "screens/ScreenNames.h"

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
  PlayerAtCommands(BoutScreen& screen, OtherSide& other) : s_(screen), ctx_(screen.context()), other_(other) {}

  OtherSide& other() override { return other_; }
  void watch() override { s_.watchOtherSide(); }
  void choose() override { s_.showCommandPanel(); }

  void flee() override {
    s_.engine().restoreHitPoints();
    other_.playerFlees();
    s_.closeScreen();
    ctx_.forms.show(screen::Hub);
  }

  void leave(BattleHost::Next next) override {
    s_.closeScreen();
    switch (next) {
      case BattleHost::Next::Hub: ctx_.forms.show(screen::Hub); break;
      case BattleHost::Next::Learning: ctx_.forms.show(screen::Learning); break;
      case BattleHost::Next::Story: ctx_.forms.show(screen::Story); break;
    }
  }

  void endProgram() override { ctx_.end(); }

  void unload() override {
    // Leaving an undecided bout against another player is a flight, on this
    // record as on the other machine's.
    s_.keepRecord(other_.boutCloses());
    s_.engine().restoreHitPoints();
    s_.engine().putBackTournamentOpponent();
    if (other_.returnsToHub()) ctx_.forms.show(screen::Hub);
  }

  void gameEnds() override { s_.keepRecord(other_.programEnds()); }

  bool closeShowsAnotherScreen() const override { return other_.returnsToHub(); }

 private:
  BoutScreen& s_;
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
  explicit RecordedBout(BoutScreen& screen)
      : s_(screen),
        ctx_(screen.context()),
        record_(ctx_.replay->record),
        returnsSomewhere_(!ctx_.replay->returnTo.isEmpty()),
        peer_(record_.host) {}

  OtherSide& other() override { return record_.network ? static_cast<OtherSide&>(peer_) : s_.engine().computer(); }
  void open() override;
  void choose() override { choicePause_.start(); }
  void commandPhaseCloses() override { choicePause_.stop(); }
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

  void changeSpeed(int speed);
  void playChoice();
  void answerAsPeer();
  bool endAsPeer(const BoutEvent* next);
  void endIfAstray();
  std::optional<QString> problem() const;

  BoutScreen& s_;
  GameContext& ctx_;
  const BoutRecord& record_;
  bool returnsSomewhere_;
  RecordedPeer peer_;
  // The pause before a recorded choice, and the other machine's answers.
  platform::Timer choicePause_{s_.form(), QStringLiteral("Timer7"), kReplayChoicePause, false};
  platform::Timer peerAnswers_{s_.form(), QStringLiteral("Timer8"), 1, false};
};

// The command panel gives way to the replay's controls.
void RecordedBout::open() {
  s_.recorder().checkAgainst(&record_);
  ctx_.random.feedRules([this] { return s_.recorder().expectedDraw(); });
  s_.showReplayControls(
      ctx_.replay->speed, [this] { finishReplay(ctx_); }, [this](int speed) { changeSpeed(speed); });
  choicePause_.setInterval(kReplayChoicePause / ctx_.replay->speed);
  choicePause_.onTimer = [this] { playChoice(); };
  peerAnswers_.onTimer = [this] { answerAsPeer(); };
  if (record_.network) peerAnswers_.start();
}

void RecordedBout::changeSpeed(int speed) {
  if (!ctx_.replay) return;
  ctx_.replay->speed = speed;
  choicePause_.setInterval(kReplayChoicePause / speed);
}

// The command phase of a replay: the player's recorded choice, AUTO's, or
// the flight; at the end of the record, the end of the replay.
void RecordedBout::playChoice() {
  choicePause_.stop();
  const BoutEvent* next = s_.recorder().nextExpected();
  const auto* choice = next ? std::get_if<ChoiceEvent>(next) : nullptr;
  const auto* draw = next ? std::get_if<DrawEvent>(next) : nullptr;
  if (choice && choice->chooser == Chooser::Player) {
    s_.playChoice(choice->slot);
  } else if (draw && draw->rule == Draw::Auto) {  // AUTO draws, then chooses
    ctx_.battle.autoTurns = std::max(ctx_.battle.autoTurns, 1);
    s_.engine().chooseAuto();
  } else if (endAsPeer(next)) {
    return;
  } else if (next && std::holds_alternative<FleeEvent>(*next)) {
    s_.flee();
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
  const BoutEvent* next = s_.recorder().nextExpected();
  if (endAsPeer(next)) return;
  const auto* choice = next ? std::get_if<ChoiceEvent>(next) : nullptr;
  const auto* strike = next ? std::get_if<PeerStrikeEvent>(next) : nullptr;
  if (b.battlePhase == Phase::OpponentAnnounces && choice && choice->chooser == Chooser::Peer) {
    s_.engine().takeRemoteChoice(choice->slot);
  } else if (b.battlePhase == Phase::OpponentHitLands && strike) {
    s_.engine().takeRemoteHit(strike->damage, strike->roll, strike->part);
  } else if (!next || (b.battlePhase != Phase::PlayerAnnounces && b.battlePhase != Phase::PlayerHitLands &&
                       b.battlePhase != Phase::OpponentChooses)) {
    finishReplay(ctx_, problem());
    return;
  }
  s_.engine().otherSideAnswered();
  endIfAstray();
}

// The other player's flight or a lost link, as the record has it.
bool RecordedBout::endAsPeer(const BoutEvent* next) {
  const auto* flee = next ? std::get_if<FleeEvent>(next) : nullptr;
  const bool lost = next && std::holds_alternative<LinkLostEvent>(*next);
  if (!lost && !(flee && flee->side == O)) return false;
  s_.engine().note(*next);
  s_.showMessage(lost ? linkLostText() : peerFledText());
  finishReplay(ctx_, problem());
  return true;
}

void RecordedBout::endIfAstray() {
  if (!s_.recorder().diverged()) return;
  // Whatever the engine is in the middle of finishes first.
  ctx_.platform.post([&c = ctx_, p = problem()] { finishReplay(c, p); });
}

// Nothing when the replay went as recorded: every recorded event came in
// order and the bout ended the same way, or the record stops (its window was
// closed) and everything up to there came.
std::optional<QString> RecordedBout::problem() const {
  const std::vector<BoutEvent>& played = s_.recorder().record().events;
  const std::vector<BoutEvent>& expected = record_.events;
  const bool followed =
      played.size() >= expected.size() && std::equal(expected.begin(), expected.end(), played.begin());
  const bool leftByClosing = record_.ending == Ending::Fled &&
                             std::none_of(expected.begin(), expected.end(),
                                          [](const BoutEvent& e) { return std::holds_alternative<FleeEvent>(e); });
  const bool same = record_.ending == Ending::Unfinished || leftByClosing ||
                    (played.size() == expected.size() &&
                     boutEnding(s_.recorder().record(), ctx_.battle.battleResult) == record_.ending);
  if (followed && same) return std::nullopt;
  return QCoreApplication::translate("Form1",
                                     "このリプレイは記録どおりに再生できませんでした。\r\n"
                                     "別の版のゲームで記録されたのかもしれません。");
}

// ---- Choosing the sides ----------------------------------------------------

std::unique_ptr<PlayerSide> sidesFor(BoutScreen& screen) {
  GameContext& ctx = screen.context();
  if (ctx.replay) return std::make_unique<RecordedBout>(screen);
  OtherSide& other = ctx.battle.networkBattle ? static_cast<OtherSide&>(ctx.networkBout) : screen.engine().computer();
  return std::make_unique<PlayerAtCommands>(screen, other);
}

}  // namespace mofurin
