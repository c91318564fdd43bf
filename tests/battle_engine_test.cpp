#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <tuple>
#include <vector>

#include "QtPrinters.h"
#include "battle/BattleEngine.h"
#include "battle/BattleTexts.h"
#include "game/Roster.h"
#include "game/Techniques.h"

using namespace mofurin;

namespace {

constexpr Side P = Side::Player;
constexpr Side O = Side::Opponent;
using Next = BattleHost::Next;

// The battle screen as the engine sees it: the message box as text, the
// engine timer as a flag, everything else written down in order.
class FakeHost : public BattleHost {
 public:
  explicit FakeHost(const GameState& game) : game_(game) {}

  QStringList messages;  // one entry per replacement of the message box
  QStringList calls;
  QStringList boxes;
  bool running = false;
  std::optional<Next> next;
  qint32 boutsWhenLeaving = -1;

  QString msg() const { return messages.value(messages.size() - 1); }

  void setMessage(const QString& text) override { messages << text; }
  void appendMessage(const QString& text) override {
    if (messages.isEmpty()) messages << QString();
    messages.last() += text;
  }
  void startEngine() override { running = true; }
  void stopEngine() override { running = false; }
  void setEngineInterval(int ms) override { calls << QStringLiteral("interval %1").arg(ms); }
  void openCommandPhase() override { calls << "openCommandPhase"; }
  void closeCommandPhase() override { calls << "closeCommandPhase"; }
  void refillLists() override { calls << "refillLists"; }
  void disableFlee() override { calls << "disableFlee"; }
  void showStatus() override {}
  void hitAnimation(Side) override {
    calls << "hit";
    running = true;  // the sprite has played out
  }
  void missPopup(Side) override { calls << "miss"; }
  void messageBox(const QString& text) override {
    boxes << text;
    calls << "box";
  }
  void endProgram() override { calls << "endProgram"; }
  void leaveBout(Next n) override {
    next = n;
    boutsWhenLeaving = game_.bouts;
    calls << "leave";
  }

 private:
  const GameState& game_;
};

// Another player as the engine sees it: what it hears, written down.
class FakeOtherPlayer : public AnotherPlayer {
 public:
  explicit FakeOtherPlayer(QStringList& calls) : calls_(calls) {}
  void hearChoice(BattleEngine& engine) override {
    AnotherPlayer::hearChoice(engine);
    calls_ << "sendChoice";
  }
  void hearStrike(BattleEngine& engine) override {
    AnotherPlayer::hearStrike(engine);
    calls_ << "sendStrike";
  }

 private:
  QStringList& calls_;
};

class Bout : public ::testing::Test {
 protected:
  GameState game;
  BattleState battle;
  Random random{[] { return 7u; }};
  FakeHost host{game};
  BattleEngine engine{game, battle, random, host};

  // ナミ against the training dummy, every part at 100 HP, attack 10, no
  // defence and empty slots; each test gives the techniques it needs.
  void SetUp() override {
    game.fighterName[P] = QStringLiteral("ナミ");
    game.characterIndex[O] = kDummyIndex;
    for (Side s : {P, O}) {
      game.levels[s] = 1;
      for (int p = 0; p < kPartCount; ++p) {
        game.partHp(p, s) = 100;
        game.partAttack(p, s) = 10;
      }
      for (int slot = 0; slot < kSlotCount; ++slot) game.techniqueNames(slot, s) = kNoTechnique;
    }
    game.battleKind = kTrainingOrNetworkBout;
    game.savedOpponentLevel = 9;
    game.messageSpeed = 300;
    game.rankText = QStringLiteral("？");
    game.lifeForce = 5;
  }

  void give(Side s, int slot, const QString& text, qint32 cost) {
    game.techniqueNames(slot, s) = text;
    game.techniqueCosts(slot, s) = cost;
  }
  void queue(std::initializer_list<float> values) {
    for (float v : values) random.queue(v);
  }
  void openWithJabs() {
    give(P, 0, QStringLiteral("A--ジャブ"), 3);
    give(O, 0, QStringLiteral("A--ジャブ"), 3);
    engine.open();
  }
  void tickUntilPhase(qint32 phase) {
    for (int i = 0; i < 100 && battle.battlePhase != phase; ++i) engine.tick();
  }
  // The end of a round, where both sides are checked.
  void endRound() {
    battle.battlePhase = Phase::RoundEnds;
    engine.tick();
  }
  void finishClosing() {
    for (int i = 0; i < 5 && !engine.done(); ++i) engine.tick();
  }
};

TEST_F(Bout, APlayersStrikeIsToldLineByLine) {
  openWithJabs();
  game.attackAnimation = 1;
  battle.chosenSlot[P] = 0;
  engine.startRound();
  EXPECT_EQ(host.calls, QStringList({"closeCommandPhase", "interval 300"}));
  EXPECT_TRUE(host.running);
  queue({0.0f, 0.0f, 0.5f});  // damage 0.9 x 10 + 3 = 12, no defence, a hit

  engine.tick();
  EXPECT_EQ(host.msg(), "ナミのジャブ！！\r\n");
  engine.tick();
  engine.tick();
  EXPECT_EQ(host.msg(), "ナミのジャブ！！\r\n敵のダミーに12のダメージ！！\r\n");
  EXPECT_EQ(host.calls.last(), "hit");
  EXPECT_EQ(std::make_tuple(battle.hitPattern, battle.hitMotion, battle.popupStep),
            std::make_tuple("4444405550", 2, -300));
  EXPECT_EQ(hitPatternFor("AX-変な技"), std::nullopt);  // keeps the last pattern
  engine.tick();
  EXPECT_EQ(host.msg(), "ナミのジャブ！！\r\n敵のダミーに12のダメージ！！\r\nナミ　は　1 回ヒットした！！");
  EXPECT_EQ(game.partHp(BodyPart::B, O), 88);
  EXPECT_EQ(game.partHp(BodyPart::A, P), 97);
  EXPECT_EQ(battle.battleExperience(BodyPart::A, P), 2);
}

TEST_F(Bout, ARepeatTechniqueHitsFiveTimesButPaysAndLearnsOnce) {
  openWithJabs();
  give(P, 0, QStringLiteral("LR-連続蹴り"), 20);
  battle.chosenSlot[P] = 0;
  engine.startRound();
  for (int hit = 0; hit < 5; ++hit) queue({0.0f, 0.0f, 0.5f});  // 0.4 x 10 = 4 a hit

  tickUntilPhase(Phase::PlayerStrikeEnds);
  const QString hitText = QStringLiteral("ナミの連続蹴り！！\r\n敵のダミーに4のダメージ！！\r\n");
  EXPECT_EQ(host.messages, QStringList({hitText, hitText, hitText, hitText, hitText + "ナミ　は　5 回ヒットした！！"}));
  EXPECT_EQ(game.partHp(BodyPart::L, P), 80);
  EXPECT_EQ(game.partHp(BodyPart::B, O), 80);
  EXPECT_EQ(battle.battleExperience(BodyPart::L, P), 2);
}

TEST_F(Bout, AMissEndsARepeatTechniqueAndAPlainMissStillCosts) {
  openWithJabs();
  give(P, 0, QStringLiteral("LR-連続蹴り"), 20);
  battle.chosenSlot[P] = 0;
  engine.startRound();
  queue({0.0f, 0.0f, 0.5f, 0.0f, 0.0f, 0.5f, 0.0f, 0.0f, 0.05f});
  tickUntilPhase(Phase::PlayerStrikeEnds);
  EXPECT_EQ(host.msg(),
            "ナミの連続蹴り！！\r\n連続蹴り　が、うまく決まらなかった・・・\r\nナミ　は　2 回ヒットした！！");
  EXPECT_EQ(host.calls.count("miss"), 1);

  battle.chosenSlot[P] = 1;
  give(P, 1, QStringLiteral("A--ジャブ"), 3);
  engine.startRound();
  queue({0.0f, 0.0f, 0.0f});
  tickUntilPhase(Phase::PlayerStrikeEnds);
  EXPECT_TRUE(host.msg().endsWith("ナミ　は　0 回ヒットした！！"));
  EXPECT_EQ(game.partHp(BodyPart::A, P), 97);
  EXPECT_EQ(game.partHp(BodyPart::B, O), 92);  // only the two kicks landed
  EXPECT_EQ(battle.popupStep, -300);
  EXPECT_EQ(battle.popupSide, 0);
}

TEST_F(Bout, DamageFallsOnBodyLegsArmsThenHeadWithoutCarryingOver) {
  game.partHp(BodyPart::H, O) = 10;
  for (BodyPart p : {BodyPart::A, BodyPart::L, BodyPart::B}) game.partHp(p, O) = 5;
  game.partAttack(BodyPart::A, P) = 0;
  openWithJabs();
  give(P, 0, QStringLiteral("A--ジャブ"), 7);  // 7 a hit
  const std::vector<std::array<qint32, 4>> expected = {{10, 5, 5, 0}, {10, 5, 0, 0}, {10, 0, 0, 0}, {3, 0, 0, 0}};
  for (const auto& hp : expected) {
    battle.chosenSlot[P] = 0;
    engine.startRound();
    queue({0.0f, 0.0f, 0.5f});
    tickUntilPhase(Phase::PlayerStrikeEnds);
    EXPECT_EQ((std::array<qint32, 4>{game.partHp(0, O), game.partHp(1, O), game.partHp(2, O), game.partHp(3, O)}), hp);
  }
}

TEST_F(Bout, HitsAreWorkedOutToTheUnit) {
  const auto hit = [&](const QString& technique, qint32 cost, std::initializer_list<float> draws) {
    give(P, 0, technique, cost);
    battle.battlePhase = Phase::PlayerStrikes;
    battle.chosenSlot[P] = 0;
    queue(draws);
    engine.ATTA();
    EXPECT_EQ(random.queuedCount(), 0u) << technique.toStdString();
    return battle.damage;
  };
  game.partAttack(BodyPart::A, P) = 100;
  for (int p = 0; p < kPartCount; ++p) game.partDefence(p, O) = 50;
  EXPECT_EQ(hit("A--ジャブ", 10, {0.5f, 0.5f}), 60);  // 105 - 45
  game.partDefence(BodyPart::B, O) = 200;
  EXPECT_EQ(hit("A--ジャブ", 10, {0.5f, 0.5f}), 1);
  EXPECT_EQ(hit("A-Sファイヤ\uFF0Dボルト", 25, {0.5f}), 62);  // 62.5
  EXPECT_EQ(hit("A-Sファイヤ\uFF0Dボルト", 0, {0.9f}), 0);

  // A defender with nothing left: no defence draw, no floor.
  for (int p = 0; p < kPartCount; ++p) game.partHp(p, O) = 0;
  game.partAttack(BodyPart::A, P) = 5;
  EXPECT_EQ(hit("A--ジャブ", 58, {0.0f}), 62);  // 62.5
  EXPECT_EQ(hit("A--ジャブ", 59, {0.0f}), 64);  // 63.5
  EXPECT_EQ(hit("AR-往復ビンタ", 0, {0.0f}), 2);

  // Codes no technique has: no draw, no cost, the last damage stands; a text
  // without a part letter strikes with the head.
  const qint32 headHp = game.partHp(BodyPart::H, P);
  EXPECT_EQ(hit("HX-変な技", 50, {}), 2);
  EXPECT_EQ(game.partHp(BodyPart::H, P), headHp);
  game.partAttack(BodyPart::H, P) = 40;
  EXPECT_EQ(hit("Z--変な技", 0, {0.0f}), 36);
  EXPECT_EQ(battle.strikePart, BodyPart::H);
  EXPECT_EQ(battle.strikeExperience, 2);
}

TEST_F(Bout, TheOpponentPrefersItsFirstSlotAmongThoseItCanUse) {
  give(O, 0, QStringLiteral("A--ジャブ"), 3);
  give(O, 1, QStringLiteral("L--キック"), 3);
  engine.WP();
  random.seed(2024);
  int first = 0;
  constexpr int kTrials = 30000;
  for (int i = 0; i < kTrials; ++i) {
    engine.TEKI();
    ASSERT_TRUE(battle.chosenSlot[O] == 0 || battle.chosenSlot[O] == 1);
    first += battle.chosenSlot[O] == 0;
  }
  EXPECT_NEAR(double(first) / kTrials, 2.0 / 3.0, 0.015);

  give(O, 0, kNoTechnique, 0);
  give(O, 1, kNoTechnique, 0);
  give(O, 5, QStringLiteral("L--キック"), 3);
  engine.WP();
  queue({0.0f, 0.7f});  // exactly 0 is drawn again
  engine.TEKI();
  EXPECT_EQ(battle.chosenSlot[O], 5);
  EXPECT_EQ(random.queuedCount(), 0u);
}

TEST_F(Bout, AnOpponentWithNothingUsableLosesItsStrikeAndTheBout) {
  give(P, 0, QStringLiteral("A--ジャブ"), 3);
  engine.open();
  battle.battlePhase = Phase::OpponentChooses;
  for (int i = 0; i < 10002; ++i) random.queue(0.5f);
  engine.tick();
  EXPECT_EQ(host.msg(), "敵のダミーは、手が出せない！！");
  EXPECT_EQ(battle.battlePhase, Phase::OpponentCannotAct + 1);
  EXPECT_EQ(battle.chosenSlot[O], kBeatenMark);
  EXPECT_EQ(random.queuedCount(), 1u);  // 10001 draws, then it gave up

  engine.tick();
  EXPECT_EQ(battle.roundCount, 1);
  EXPECT_EQ(battle.battleResult, BattleResult::OpponentBeaten);
  EXPECT_EQ(battle.battlePhase, Phase::ClosingFirst);
}

TEST_F(Bout, FleeingClosesForGoodAfterTheFourthRound) {
  openWithJabs();
  for (int round = 1; round <= 5; ++round) {
    endRound();
    const bool fourth = round == 4;
    EXPECT_EQ(host.msg(),
              fourth ? "相手が完全に戦闘態勢に入った！！\r\nもう逃げることは出来ない･･･\r\nさて、次はどうしますか？"
                     : "さて、次はどうしますか？");
  }
  EXPECT_EQ(host.calls.count("disableFlee"), 1);
  EXPECT_EQ(battle.battleResult, BattleResult::Running);
  EXPECT_FALSE(host.running);
}

TEST_F(Bout, ADrawBooksNothingAndGoesStraightToTheHub) {
  engine.open();
  game.levels[O] = 30;
  game.partHp(BodyPart::B, P) = 1;
  endRound();
  EXPECT_EQ(host.boxes, QStringList({"どっちとも動けなくなってしまった・・・"}));
  EXPECT_EQ(host.next, Next::Hub);
  EXPECT_EQ(game.partHp.flat, battle.hpAtStart.flat);
  EXPECT_EQ(game.levels[O], 9);
  EXPECT_EQ(std::make_tuple(game.wins, game.losses, game.bouts, game.lifeForce), std::make_tuple(0, 0, 0, 5));
}

TEST_F(Bout, ALastTournamentDefeatEndsTheProgramAndNothingElse) {
  give(O, 0, QStringLiteral("A--ジャブ"), 3);
  game.battleKind = kTournamentBout;
  game.lifeForce = 1;
  engine.open();
  game.levels[O] = 30;
  endRound();
  EXPECT_EQ(host.boxes, QStringList({"残念ですが、あなたは寿命がきました。", "あなたは死にました･･･", "Game Over！！",
                                     "あきらめないでまたやってね！！"}));
  EXPECT_EQ(host.calls.last(), "endProgram");
  EXPECT_EQ(host.msg(), "ナミは、技が繰り出せなくなった・・・");
  EXPECT_EQ(std::make_tuple(game.lifeForce, game.losses, game.levels[O]), std::make_tuple(0, 1, 26));
  EXPECT_EQ(battle.battlePhase, Phase::ClosingStart);

  const QStringList callsAtEnd = host.calls;
  engine.tick();
  EXPECT_EQ(host.calls, callsAtEnd);
  EXPECT_EQ(battle.battlePhase, Phase::ClosingStart);
}

TEST_F(Bout, AVictoryTurnsExperienceIntoStrengthMoneyAndLevels) {
  give(P, 0, QStringLiteral("A--ジャブ"), 3);
  game.battleKind = kTournamentBout;
  engine.open();
  game.levels[O] = 20;
  game.partAttack(BodyPart::H, P) = 10;
  battle.battleExperience(BodyPart::H, P) = 7;
  battle.battleExperience(BodyPart::A, P) = 10;
  battle.battleExperience(BodyPart::B, P) = 4;
  queue({0.0f, 0.0f, 0.5f, 0.5f, 0.5f, 0.5f});
  engine.OFFA();
  EXPECT_EQ(
      host.msg(),
      "ダミーは、使える技が無くなったようだ・・・！！\r\n頭 3.5  両腕 10  両足 0  胴体 4\r\nの経験値を得た！！\r\n"
      "3000\\を獲得した！！");
  EXPECT_EQ(game.partAttack(BodyPart::H, P), 14);  // 13.5
  EXPECT_EQ(game.partAttack(BodyPart::A, P), 15);
  EXPECT_EQ(game.partDefence(BodyPart::A, P), 3);
  EXPECT_EQ(game.partAttack(BodyPart::L, P), 10);
  EXPECT_EQ(game.partAttack(BodyPart::B, P), 12);  // 2 + 10 + 0.2
  EXPECT_EQ(std::make_tuple(game.money, game.wins, game.levels[P], game.levels[O]), std::make_tuple(3000, 1, 2, 23));

  game.partAttack(BodyPart::H, P) = 11;
  engine.ETA();
  EXPECT_EQ(game.partAttack(BodyPart::H, P), 14);  // 14.5
}

TEST_F(Bout, TheLastStretchRaisesTheOpponentTwiceAndCapsHold) {
  game.battleKind = kTournamentBout;
  game.wins = 37;
  game.levels[O] = 40;
  game.money = kValueCap - 2999;
  battle.battleExperience(BodyPart::H, P) = 8;
  engine.ETA();
  EXPECT_TRUE(host.msg().contains("頭 4  両腕 0")) << host.msg().toStdString();
  EXPECT_EQ(game.levels[O], 51);  // 45, then 51
  EXPECT_EQ(game.money, kValueCap);

  game.rankText = QStringLiteral("Ｓ");
  game.levels[O] = 40;
  engine.ETA();
  EXPECT_EQ(game.levels[O], 45);
}

TEST_F(Bout, TheNextScreenComesBeforeOrAfterTheBoutIsCounted) {
  struct Case {
    qint32 winsBefore;
    bool won;
    Next next;
    qint32 boutsSeen;
  };
  for (const Case& c :
       {Case{3, true, Next::Learning, 11}, Case{4, true, Next::Story, 10}, Case{3, false, Next::Story, 10}}) {
    game = GameState();
    battle = BattleState();
    SetUp();
    host.calls.clear();
    host.next.reset();
    give(P, 0, QStringLiteral("A--ジャブ"), 3);
    if (!c.won) {
      give(P, 0, kNoTechnique, 0);
      give(O, 0, QStringLiteral("A--ジャブ"), 3);
    }
    game.battleKind = kTournamentBout;
    game.wins = c.winsBefore;
    game.bouts = 10;
    engine.open();
    const PartValues opening = game.partHp;
    game.partHp(BodyPart::B, P) = 3;
    endRound();
    EXPECT_FALSE(engine.done());
    finishClosing();
    EXPECT_EQ(host.calls.filter("interval").last(), "interval 3000");
    EXPECT_EQ(host.next, c.next);
    EXPECT_EQ(host.boutsWhenLeaving, c.boutsSeen);
    EXPECT_EQ(game.bouts, 11);
    EXPECT_EQ(game.partHp.flat, opening.flat);
  }
}

TEST_F(Bout, AWholeSeededBoutEndsWithBothFightersRestored) {
  for (Side s : {P, O}) {
    give(s, 0, QStringLiteral("A--ジャブ"), 9);
    give(s, 1, QStringLiteral("LR-連続蹴り"), 11);
    give(s, 2, QStringLiteral("H-S念力"), 6);
  }
  game.partHp(BodyPart::B, O) = 70;
  game.attackAnimation = 1;
  engine.open();
  const PartValues opening = game.partHp;
  for (int round = 0; round < 100 && !engine.done(); ++round) {
    battle.autoTurns = 1;
    ASSERT_TRUE(engine.chooseAuto());
    for (int i = 0; i < 100 && host.running && !engine.done(); ++i) engine.tick();
  }
  ASSERT_TRUE(engine.done());
  EXPECT_EQ(host.next, Next::Hub);
  EXPECT_EQ(game.partHp.flat, opening.flat);
  EXPECT_EQ(game.levels[O], 9);
  EXPECT_GT(host.calls.count("hit"), 0);
}

TEST_F(Bout, AutoDrawsUntilAnAffordableSlotAndNeverLoopsWithoutOne) {
  battle.autoTurns = 2;
  EXPECT_EQ(engine.chooseAuto(), std::nullopt);
  EXPECT_EQ(battle.autoTurns, 2);
  EXPECT_TRUE(host.calls.isEmpty());

  give(P, 1, QStringLiteral("A--ジャブ"), 101);
  give(P, 2, QStringLiteral("L--キック"), 100);  // exactly the legs' HP
  queue({0.0f, 0.2f, 0.3f});
  EXPECT_EQ(engine.chooseAuto(), 2);
  EXPECT_EQ(random.queuedCount(), 0u);
  EXPECT_EQ(battle.chosenSlot[P], 2);
  EXPECT_EQ(battle.autoTurns, 1);
  EXPECT_EQ(battle.battlePhase, Phase::PlayerAnnounces);
  EXPECT_TRUE(host.running);
}

TEST_F(Bout, SlotsWithoutAPartLetterAreJudgedByTheSlotBefore) {
  give(P, 0, QStringLiteral("?--謎"), 1);  // nothing before it: HP counts as 0
  give(P, 1, QStringLiteral("L--キック"), 100);
  give(P, 2, QStringLiteral("?--謎"), 100);
  give(P, 3, QStringLiteral("A--ジャブ"), 101);
  engine.WP();
  EXPECT_TRUE(battle.slotUnusable(0, P));
  EXPECT_FALSE(battle.slotUnusable(1, P));
  EXPECT_FALSE(battle.slotUnusable(2, P));
  EXPECT_TRUE(battle.slotUnusable(3, P));
  EXPECT_EQ(slotList(game, battle, P).mid(0, 3), QStringList({kNoTechnique, "L--キック", "?--謎"}));
}

TEST_F(Bout, ANetworkBoutWaitsForTheOtherMachine) {
  FakeOtherPlayer otherMachine{host.calls};
  engine.setOtherSide(&otherMachine);
  openWithJabs();
  battle.chosenSlot[P] = 0;
  engine.startRound();
  EXPECT_TRUE(battle.awaitingPeer);
  EXPECT_EQ(host.calls.last(), "sendChoice");

  host.running = true;
  battle.awaitingPeer = false;
  queue({0.0f, 0.0f, 0.5f});
  engine.tick();
  engine.tick();
  EXPECT_EQ(host.calls.last(), "sendStrike");
  EXPECT_TRUE(battle.awaitingPeer && !host.running);
  EXPECT_EQ(battle.missRoll, 5);

  battle.battlePhase = Phase::OpponentChooses;
  engine.tick();
  EXPECT_EQ(host.msg(), "相手がワザを選択しています\r\nしばらくおまちください。");
  EXPECT_EQ(battle.battlePhase, Phase::OpponentAnnounces);
  engine.tick();
  engine.tick();  // the opponent's strike: the hit comes from the other machine
  EXPECT_EQ(random.queuedCount(), 0u);
  EXPECT_EQ(battle.battlePhase, Phase::OpponentHitLands);
}

TEST(BattleTexts, StatusLinesKeepTheirExactSpacing) {
  GameState game;
  game.fighterName[P] = QStringLiteral("ナミ");
  game.levels[P] = 7;
  EXPECT_EQ(nameLine(game, P), "Ｌｖ.    7 ナミ");
  game.levels[P] = 12345;
  EXPECT_EQ(nameLine(game, P), "Ｌｖ.12345 ナミ");
  EXPECT_EQ(roundLabel(0), "   0ターン");
  EXPECT_EQ(roundLabel(12), "  12ターン");
  EXPECT_EQ(costLabel(12), "HP消費量--12");
  EXPECT_EQ(autoLabel(30), "AUTO:30");

  const std::array<qint32, 4> hp = {100, 80, 0, 131};
  for (int p = 0; p < kPartCount; ++p) game.partHp(p, O) = hp[p];
  EXPECT_EQ(hpLine(game, O), "(右から順) 頭(H) 100 両腕(A) 80 両足(L) 0 胴体(B) 131");

  for (int p = 0; p < kPartCount; ++p) {
    game.partAttack(p, P) = game.partAttack(p, O) = 10 + p;
    game.partDefence(p, P) = game.partDefence(p, O) = p;
  }
  EXPECT_EQ(
      strengthTable(game, P),
      "頭(H)\r\nSTR 10\r\nDEF 0\r\n両手(A)\r\nSTR 11\r\nDEF 1\r\n両足(R)\r\nSTR 12\r\nDEF 2\r\n胴体(B)\r\nSTR 13\r\n"
      "DEF 3\r\n");
  EXPECT_EQ(strengthTable(game, O),
            "   頭(H)　STR 10 DEF 0\r\n両手(A)　STR 11 DEF 1\r\n両足(L)  STR 12 DEF 2\r\n胴体(B)  STR 13 DEF 3");

  game.fighterName[O] = QStringLiteral("ダミー");
  EXPECT_EQ(introGreeting(game), "ダミー が、でてきた！！\r\nさあ、ナミ　は、どうする？");
}

TEST(BattleTexts, ColourMarksFollowTheLeadAndNetworkBoutsWin) {
  GameState game;
  game.rankText = QStringLiteral("？");
  const auto label3 = [&](qint32 wins, bool network) {
    game.wins = wins;
    game.losses = 1;
    const auto marks = colourMarks(game, network);
    return marks ? std::make_tuple(marks->label3.r, marks->shape1.g) : std::make_tuple(-1, -1);
  };
  EXPECT_EQ(label3(40, false), std::make_tuple(203, 159));
  EXPECT_EQ(label3(39, false), std::make_tuple(200, 110));
  EXPECT_EQ(label3(38, false), std::make_tuple(-1, -1));
  EXPECT_EQ(label3(40, true), std::make_tuple(0, 89));
  game.rankText = QStringLiteral("Ａ");
  EXPECT_EQ(label3(40, false), std::make_tuple(-1, -1));
}

}  // namespace

// Each strike is worth the defender's level plus one, so with unequal levels
// the two sides earn different experience; a value that grows to exactly the
// cap stays there.
TEST_F(Bout, ExperienceComesFromTheDefendersLevelAndGrowthStopsExactlyAtTheCap) {
  give(P, 0, QStringLiteral("A--ジャブ"), 3);
  give(O, 0, QStringLiteral("L--キック"), 3);
  engine.open();
  game.levels[P] = 3;
  game.levels[O] = 12;
  battle.chosenSlot[P] = 0;
  engine.startRound();
  queue({0.5f, 0.5f, 0.9f});  // damage, defence, a hit
  tickUntilPhase(Phase::PlayerStrikeEnds);
  EXPECT_EQ(battle.battleExperience(BodyPart::A, P), 13);
  battle.battlePhase = Phase::OpponentAnnounces;
  battle.chosenSlot[O] = 0;
  queue({0.5f, 0.5f, 0.9f});
  tickUntilPhase(Phase::OpponentStrikeEnds);
  EXPECT_EQ(battle.battleExperience(BodyPart::L, O), 4);

  battle.battleExperience = {};
  battle.battleExperience(BodyPart::A, P) = 10;
  game.partAttack(BodyPart::A, P) = kValueCap - 5;   // + 10 / 2 + 0
  game.partDefence(BodyPart::A, P) = kValueCap - 3;  // + 10 * 0.3 + 0
  queue({0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f});
  engine.ETA();
  EXPECT_EQ(game.partAttack(BodyPart::A, P), kValueCap);
  EXPECT_EQ(game.partDefence(BodyPart::A, P), kValueCap);
}
