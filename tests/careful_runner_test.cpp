// Whole tournaments played as a careful player would: life force and hit
// points bought whenever there is money, a training bout before every
// tournament bout, opponents that look stronger fled from at once, every
// offered technique taken, bouts fought by AUTO. Such a player reaches the endings, the hall of
// fame and the late game's figures, which AUTO alone never does. After every bout the record must add up and the game
// must still save and load back whole.

#include "QtPrinters.h"
#include "TestGame.h"
#include "battle/OpponentBuilders.h"
#include "game/Techniques.h"
#include "persist/SaveFile.h"

#ifndef MOFURIN_CAREFUL_RUNS
#define MOFURIN_CAREFUL_RUNS 10
#endif
// A run that has not ended after this many tournament bouts has shown what
// it can. The sanitized build stops its long runs sooner: their later bouts
// repeat the earlier ones, at ten times the cost.
#ifndef MOFURIN_CAREFUL_BOUTS
#define MOFURIN_CAREFUL_BOUTS 400
#endif

using namespace mofurin;
using namespace mofurin::test;

namespace {

constexpr Side P = Side::Player;
constexpr int kGroups = 10;                           // the runs are shared among this many tests
constexpr qint32 kPrices[kPartCount] = {4, 5, 7, 3};  // the shop's, per point

// Runs a driver script that must be understood to the end.
void play(TestGame& t, const QString& script) {
  int status = 0;
  const QStringList out = t.drive(script, &status);
  ASSERT_EQ(status, 0) << out.join('\n').toStdString();
}

// Buys back life force at the hub's hidden stall while the money lasts.
void buyLifeForce(TestGame& t) {
  const GameState& g = t.ctx.game;
  while (g.lifeForce < g.lifeForceMax && g.money >= 1000) play(t, "click Form4.Label2(0)\n");
}

// The most any technique of the part costs.
qint32 dearestCost(const GameState& g, int p) {
  qint32 dearest = 0;
  for (int k = 0; k < kSlotCount; ++k) {
    if (techniquePart(g.techniqueNames(k, P)) == p) dearest = std::max(dearest, g.techniqueCosts(k, P));
  }
  return dearest;
}

void buy(TestGame& t, int p, qint64 points) {
  const qint32 bought = static_cast<qint32>(std::min<qint64>(points, kValueCap - t.ctx.game.partHp(p, P)));
  if (bought <= 0) return;
  play(t, QStringLiteral("click Form4.HPUP\nclick Form5.BASS(%1)\ntype Form5.UPG %2\nanswer Yes\n"
                         "click Form5.IIDASU\nclick Form5.BYE\n")
              .arg(p)
              .arg(bought));
}

// Spends the money on hit points: first so that every part can pay for its
// techniques a few times, then half on the body, which every hit meets
// first, and the rest on the head, whose last point ends the bout.
void buyHitPoints(TestGame& t) {
  const GameState& g = t.ctx.game;
  if (closingStretch(g)) return;
  for (int p = 0; p < kPartCount; ++p) {
    const qint64 missing = 3 * qint64(dearestCost(g, p)) - g.partHp(p, P);
    if (missing > 0) buy(t, p, std::min<qint64>(missing, g.money / kPrices[p]));
  }
  const int body = part(BodyPart::B);
  const int head = part(BodyPart::H);
  buy(t, body, g.money / 2 / kPrices[body]);
  buy(t, head, g.money / kPrices[head]);
}

// Takes the offer into an empty slot, or else in place of the cheapest.
void learnOffer(TestGame& t) {
  const GameState& g = t.ctx.game;
  int slot = 0;
  for (int k = kSlotCount - 1; k >= 0; --k) {
    if (techniquePart(g.techniqueNames(k, P)) < 0 || g.techniqueCosts(k, P) <= g.techniqueCosts(slot, P)) slot = k;
  }
  QString script = QStringLiteral("answer Yes\nclick Form6.Ok\n");
  if (t.ctx.forms.find("Form6")->findWidget("WAZA", -1)->usable())
    script.prepend(QStringLiteral("select Form6.WAZA %1\n").arg(g.techniqueNames(slot, P)));
  play(t, script);
}

// Hit points times attack, summed over the parts: a rough measure of how
// long a fighter lasts and how hard it hits.
double strength(const GameState& g, Side s) {
  double hp = 0;
  double attack = 0;
  for (int p = 0; p < kPartCount; ++p) {
    hp += g.partHp(p, s);
    attack += g.partAttack(p, s);
  }
  return hp * attack;
}

// Meets the next opponent; one that looks stronger is fled from at once
// (which books nothing) and another one is met, a few times at most.
void meetOpponent(TestGame& t) {
  for (int tries = 0; tries < 10; ++tries) {
    play(t, "click Form4.BATTLE\nwait 500\n");
    if (strength(t.ctx.game, Side::Opponent) <= strength(t.ctx.game, P)) return;
    play(t, "click Form1.NIGERU(0)\n");
  }
  play(t, "click Form4.BATTLE\nwait 500\n");
}

// Plays the bout on the battle screen by AUTO until it is over.
void fightByAuto(TestGame& t) {
  // A long bout uses up its AUTO turns: they are topped up as they go.
  for (int step = 0; step < 1000 && !t.ctx.ended() && t.ctx.forms.isShown("Form1"); ++step) {
    const int more = 30 - t.ctx.battle.autoTurns;
    play(t, QStringLiteral("click Form1.Command1\n").repeated(more) + QStringLiteral("wait 5000\n"));
    // A fighter that cannot pay for any technique at the opening waits
    // for ever: it flees.
    if (t.ctx.forms.isShown("Form1") && t.ctx.battle.roundCount == 0 && t.ctx.battle.autoTurns == 30)
      play(t, "click Form1.NIGERU(0)\n");
  }
}

// A bout with the easy dummy first: its win makes the fighter stronger and
// costs the tournament nothing.
void train(TestGame& t) {
  play(t, "click Form4.STRIN(2)\nclick Form4.TRAI\nwait 500\n");
  fightByAuto(t);
}

// The saved values of a game as the file would hold them under one key.
QString savedText(const GameState& g) { return saveFileContents(g, kLastSaveKey)->contents(); }

void expectSavesAndLoadsBack(const GameState& g, int bout) {
  for (int key = kFirstSaveKey; key <= kLastSaveKey; ++key) {
    const std::optional<SequentialWriter> file = saveFileContents(g, key);
    ASSERT_TRUE(file) << "bout " << bout << " key " << key;
    const std::optional<SavedGame> back = parseSaveFile(file->contents());
    ASSERT_TRUE(back && back->passesIntegrityTest()) << "bout " << bout << " key " << key;
    GameState loaded;
    back->applyTo(loaded);
    ASSERT_EQ(savedText(loaded), savedText(g)) << "bout " << bout << " key " << key;
  }
}

// Plays one run; true when it reached an ending.
bool playCarefully(quint32 seed) {
  TestGame t;
  t.start();
  play(t,
       QStringLiteral("seed %1\nclick Form2.o1\nkey Form3 %2\nanswer OK\nclick Form3.Command1\nscroll Form4.SPEED 1\n")
           .arg(seed)
           .arg(49 + seed % 4));
  const GameState& g = t.ctx.game;
  for (int bout = 1; bout <= MOFURIN_CAREFUL_BOUTS; ++bout) {
    buyLifeForce(t);
    buyHitPoints(t);
    // The ending may offer to save the recorded run: not now.
    if (g.winLead() >= 39) play(t, "file cancel\n");
    const PartValues hitPoints = g.partHp;  // the player's are given back after the bout
    if (!closingStretch(g)) train(t);
    meetOpponent(t);
    fightByAuto(t);
    if (t.ctx.ended()) {
      EXPECT_EQ(g.wins + g.losses, g.bouts + 1) << "seed " << seed;  // the last defeat, never counted as a bout
      return false;
    }
    if (t.ctx.forms.isShown("Form6")) learnOffer(t);
    const bool ending = t.ctx.forms.isShown("Form7") && !g.tournamentRunning();
    if (t.ctx.forms.isShown("Form7")) play(t, "click Form7.Command1\n");
    EXPECT_TRUE(t.ctx.forms.isShown("Form4")) << "seed " << seed << " bout " << bout;
    EXPECT_EQ(g.wins + g.losses, g.bouts) << "seed " << seed << " bout " << bout;
    for (int p = 0; p < kPartCount; ++p)
      EXPECT_EQ(g.partHp(p, P), hitPoints(p, P)) << "seed " << seed << " bout " << bout;
    expectSavesAndLoadsBack(g, bout);
    if (::testing::Test::HasFailure()) return false;
    if (ending) return true;
    t.takeOutput();
  }
  if (MOFURIN_CAREFUL_BOUTS >= 400) ADD_FAILURE() << "seed " << seed << ": the tournament never ended";
  return false;
}

class CarefulPlayer : public ::testing::TestWithParam<int> {};

}  // namespace

// Each group plays its share of the runs (their seeds are fixed); most of
// them reach an ending.
TEST_P(CarefulPlayer, ReachesAnEndingWithTheRecordWhole) {
  int runs = 0;
  int endings = 0;
  const int allRuns = qEnvironmentVariableIsSet("MOFURIN_CAREFUL_RUNS") ? qEnvironmentVariableIntValue("MOFURIN_CAREFUL_RUNS")
                                                                         : MOFURIN_CAREFUL_RUNS;
  for (int run = GetParam(); run < allRuns; run += kGroups) {
    ++runs;
    if (playCarefully(static_cast<quint32>(run + 1))) ++endings;
    if (HasFailure()) return;
  }
  std::printf("%d endings in %d runs\n", endings, runs);
  if (runs > 0) {
    EXPECT_GT(endings * 2, runs) << "most runs reach an ending";
  }
}

INSTANTIATE_TEST_SUITE_P(Runs, CarefulPlayer, ::testing::Range(0, kGroups));
