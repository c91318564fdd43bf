#include <set>

#include "QtPrinters.h"
#include "TestGame.h"
#include "battle/OpponentBuilders.h"
#include "game/Random.h"
#include "game/Roster.h"
#include "game/Techniques.h"

using namespace mofurin;
using namespace mofurin::test;

namespace {

constexpr Side O = Side::Opponent;
constexpr Side P = Side::Player;

// A value r whose 44 r rounds to the technique number n.
float techniqueDraw(int n) { return n == 0 ? 0.0f : (n - 0.1f) / 44.0f; }

GameState newRabbit() {
  GameState g;
  g.levels[P] = 1;
  g.levels[O] = 1;
  g.rankText = "？";
  ApplyStartingData(g, 3);
  return g;
}

}  // namespace

TEST(TournamentOpponent, ExactValuesFromQueuedDraws) {
  GameState g = newRabbit();
  Random r([] { return 1u; });
  for (int i = 0; i < 11; ++i) r.queue(0.5f);
  for (int n : {11, 11, 22, 0, 44, 1, 9, 27, 34}) r.queue(techniqueDraw(n));
  r.queue(0.99f);  // the character
  buildTournamentOpponent(g, r);
  // 163 / 3 + 65 + 5 = 124.33; 114 / 4 + 57 + 5 = 90.5 goes to the even 90.
  const int hp[] = {124, 90, 76, 127}, attack[] = {53, 76, 70, 87}, defence[] = {0, 57, 49, 33};
  for (int p = 0; p < kPartCount; ++p) {
    EXPECT_EQ(g.partHp(p, O), hp[p]) << p;
    EXPECT_EQ(g.partAttack(p, O), attack[p]) << p;
    EXPECT_EQ(g.partDefence(p, O), defence[p]) << p;
  }
  // The second 11 was a repeat and was drawn again for the same slot.
  const char16_t* texts[] = {u"A--ジャブ", u"L--キック",       u"---NO DATA",  u"A-Sファイヤ\uFF0Dボルト",
                             u"H-S念力",   u"HR-１００頭突き", u"LR-連続蹴り", u"BR-締めつける"};
  const int costs[] = {6, 4, 1, 6, 2, 4, 10, 10};  // 19 / 2 + 1 = 10.5 goes to the even 10
  for (int k = 0; k < kSlotCount; ++k) {
    EXPECT_EQ(g.techniqueNames(k, O), QString::fromUtf16(texts[k])) << k;
    EXPECT_EQ(g.techniqueCosts(k, O), costs[k]) << k;
  }
  EXPECT_EQ(g.characterIndex[O], 11);
  EXPECT_EQ(r.queuedCount(), 0u);
  // Nothing of the fighter's side moved.
  EXPECT_EQ(g.partHp.flat[0], 110);
  EXPECT_EQ(g.levels[O], 1);
}

TEST(TournamentOpponent, LevelOneOpponentsStayInTheirRangesWithDistinctTechniques) {
  GameState g = newRabbit();
  Random r([] { return 7u; });
  for (int bout = 0; bout < 2000; ++bout) {
    buildTournamentOpponent(g, r);
    ASSERT_GE(g.partHp(BodyPart::H, O), 119);
    ASSERT_LE(g.partHp(BodyPart::H, O), 129);
    ASSERT_EQ(g.partDefence(BodyPart::H, O), 0);
    ASSERT_GE(g.characterIndex[O], 0);
    ASSERT_LE(g.characterIndex[O], 11);
    std::set<QString> texts(g.techniqueNames.flat.begin() + 8, g.techniqueNames.flat.end());
    ASSERT_EQ(texts.size(), 8u);
    ASSERT_EQ(texts.count(QString::fromUtf16(kEmptyOpponentSlot)), 0u);
  }
}

TEST(TournamentOpponent, TheFinalOpponentComesExactlyAtALeadOf39) {
  for (auto [wins, losses, final] : {std::tuple{40, 1, true}, {39, 0, true}, {39, 1, false}, {41, 1, false}}) {
    GameState g = newRabbit();
    g.wins = wins;
    g.losses = losses;
    Random r([] { return 3u; });
    for (int i = 0; i < 200; ++i) {
      buildTournamentOpponent(g, r);
      ASSERT_EQ(g.characterIndex[O] == kFinalOpponentIndex, final) << wins << "-" << losses;
    }
  }
}

TEST(TournamentOpponent, HugeLevelsAreCapped) {
  GameState g = newRabbit();
  g.levels[O] = 999999;
  Random r([] { return 5u; });
  buildTournamentOpponent(g, r);
  EXPECT_GE(g.partHp(BodyPart::H, O), 54333344);  // 163 * 999999 / 3 + 65, plus up to 10
  EXPECT_LE(g.partHp(BodyPart::H, O), 54333354);
  g.levels[O] = 9999999;
  buildTournamentOpponent(g, r);
  for (int p = 0; p < kPartCount; ++p) EXPECT_LE(g.partHp(p, O), kValueCap);
  EXPECT_EQ(g.partHp(BodyPart::B, O), kValueCap);
  for (int k = 0; k < kSlotCount; ++k) EXPECT_LE(g.techniqueCosts(k, O), 500001);
}

TEST(TrainingDummy, StrengthsScaleTheFighter) {
  GameState g = newRabbit();
  g.levels[O] = 17;
  buildTrainingDummy(g, DummyStrength::Normal);
  EXPECT_EQ(g.savedOpponentLevel, 17);
  EXPECT_EQ(g.levels[O], 1);
  EXPECT_EQ(g.characterIndex[O], kDummyIndex);
  for (int p = 0; p < kPartCount; ++p) {
    EXPECT_EQ(g.partHp(p, O), g.partHp(p, P));
    EXPECT_EQ(g.partAttack(p, O), g.partAttack(p, P));
  }
  for (int k = 0; k < kSlotCount; ++k) {
    EXPECT_EQ(g.techniqueNames(k, O), g.techniqueNames(k, P));
    EXPECT_EQ(g.techniqueCosts(k, O), g.techniqueCosts(k, P));
  }

  buildTrainingDummy(g, DummyStrength::Easy);
  EXPECT_EQ(g.levels[O], 0);
  EXPECT_EQ(g.partHp(BodyPart::H, O), 88);  // 0.8 * 110
  EXPECT_EQ(g.techniqueCosts(3, O), 14);    // 0.8 * 18 = 14.4

  buildTrainingDummy(g, DummyStrength::Hard);
  EXPECT_EQ(g.levels[O], 2);
  EXPECT_EQ(g.partHp(BodyPart::H, O), 132);      // 1.2 * 110
  EXPECT_EQ(g.partAttack(BodyPart::B, O), 112);  // 1.2 * 93 = 111.6
}

TEST(BoutButtons, TheHubHandsTheBoutToTheBattleScreen) {
  TestGame t;
  startWithRabbit(t);
  t.ctx.game.levels[O] = 4;
  const auto opening = [](const QString& music) {
    return QStringList{"[close Form4]",     "[media] stop bgm",
                       "[media] close bgm", "[media] open \"" MOFURIN_BIN_DIR "/" + music + "\" alias bgm",
                       "[media] play bgm",  "[show Form1]"};
  };
  QStringList out = t.drive("click Form4.STRIN(0)\nclick Form4.TRAI\n");
  EXPECT_EQ(out, opening("music2.mid"));
  EXPECT_EQ(t.ctx.game.battleKind, 2);
  EXPECT_EQ(t.ctx.game.savedOpponentLevel, 4);
  EXPECT_EQ(t.ctx.game.levels[O], 2);

  TestGame u;
  startWithRabbit(u);
  out = u.drive("click Form4.BATTLE\n");
  EXPECT_EQ(out, opening("music1.mid"));
  EXPECT_EQ(u.ctx.game.battleKind, 1);
  EXPECT_GE(u.ctx.game.partHp(BodyPart::H, O), 119);
}
