// Bouts played through the battle screen on the headless platform.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "QtPrinters.h"
#include "TestGame.h"
#include "game/Roster.h"
#include "game/Techniques.h"
#include "screens/BattleScreen.h"
#include "screens/Hub.h"
#include "screens/Story.h"

using namespace mofurin;
using namespace mofurin::test;

namespace {

constexpr Side P = Side::Player;
constexpr Side O = Side::Opponent;

Form1& openTraining(TestGame& t) {
  startWithRabbit(t);
  t.drive("click Form4.TRAI\n");
  return *t.screen<Form1>();
}

// Plays tournament bouts by AUTO, answering every box with its default,
// until the lead reaches 40, the game ends, or maxBouts are fought.
int playTournament(TestGame& t, int maxBouts) {
  int bouts = 0;
  while (bouts < maxBouts && !t.ctx.ended() && t.ctx.game.winLead() < 40) {
    t.drive("click Form4.BATTLE\nclick Form1.Command1\nclick Form1.Command1\nclick Form1.Command1\n");
    // AUTO up to 30 turns: a bout that lasts longer is helped on by the key A.
    for (int i = 0; i < 27; ++i) t.drive("click Form1.Command1\n");
    while (!t.ctx.ended() && t.ctx.forms.isShown("Form1")) t.drive("key Form1 65\nwait 5000\n");
    if (t.ctx.ended()) break;
    if (t.ctx.forms.isShown("Form6")) t.drive("answer Yes\nclick Form6.No\n");
    if (t.ctx.forms.isShown("Form7")) t.drive("click Form7.Command1\n");
    ++bouts;
    EXPECT_TRUE(t.ctx.forms.isShown("Form4")) << bouts;
    t.takeOutput();
  }
  return bouts;
}

}  // namespace

TEST(BattleScreen, TheIntroEndsOnTheTwentyThirdTickWithTheGreeting) {
  TestGame t;
  Form1& f = openTraining(t);
  EXPECT_EQ(f.KAO[0].left(), 235 + 23 * 250);
  EXPECT_FALSE(f.HV125.visible());
  t.drive("key Form1 65\n");  // the key A counts only once the intro is over
  EXPECT_EQ(t.ctx.battle.autoTurns, 0);
  t.platform().virtualClock().advance(22 * 16);
  EXPECT_FALSE(f.WAKU[0].enabled());
  const QStringList out =
      t.drive("wait 16\nprint Form1.MSG\nprint Form1.IIYO(0).visible\nwait 16\nprint Form1.IIYO(0).visible\n");
  // The confirm button shows, and the next refresh hides it while nothing is picked.
  EXPECT_EQ(out, (QStringList{"[beep]", "Form1.MSG = ダミー が、でてきた！！\r\nさあ、春ウサギ　は、どうする？",
                              "Form1.IIYO(0).visible = true", "Form1.IIYO(0).visible = false"}));
  EXPECT_EQ(f.KAO[0].left(), 235);
  EXPECT_EQ(f.KAO[1].left(), 4805);
  EXPECT_TRUE(f.HV125.visible());
  EXPECT_TRUE(f.WAKU[1].enabled());
}

TEST(BattleScreen, AnAutoPressDuringTheIntroWaitsForTheCommandPanel) {
  TestGame t;
  Form1& f = openTraining(t);
  t.drive("click Form1.Command1\nwait 200\n");
  EXPECT_EQ(t.ctx.battle.autoTurns, 1);
  EXPECT_FALSE(f.Timer3.enabled());
  t.drive("wait 200\n");  // the intro has ended: the AUTO turn is taken
  EXPECT_EQ(t.ctx.battle.autoTurns, 0);
  EXPECT_TRUE(f.Timer3.enabled() || t.ctx.battle.battlePhase > Phase::PlayerAnnounces);
}

TEST(BattleScreen, PickingShowsTheCostAndNoDataCannotBeConfirmed) {
  TestGame t;
  openTraining(t);
  t.drive("wait 500\n");
  const QString first = t.ctx.game.techniqueNames(0, P);
  QStringList out =
      t.drive("select Form1.WAZA " + first + "\nwait 16\nprint Form1.Label1(2)\nprint Form1.IIYO(0).visible\n");
  EXPECT_EQ(out, (QStringList{"Form1.Label1(2) = HP消費量--" + QString::number(t.ctx.game.techniqueCosts(0, P)),
                              "Form1.IIYO(0).visible = true"}));
  out = t.drive("select Form1.WAZA ---NO DATA\nwait 16\nprint Form1.Label1(2)\nclick Form1.IIYO(0)\n");
  EXPECT_EQ(out, (QStringList{"Form1.Label1(2) = HP消費量--0",
                              "[msgbox モフリンＧＰ|OK] 技が決まってません！ -> OK (default)"}));
}

TEST(BattleScreen, FleeingFromTrainingRestoresHitPointsAndTheOpponentLevel) {
  TestGame t;
  startWithRabbit(t);
  t.ctx.game.levels[O] = 9;
  t.drive("click Form4.TRAI\nwait 500\n");
  const PartValues start = t.ctx.game.partHp;
  t.ctx.game.partHp(BodyPart::B, P) -= 50;  // as if the dummy had hit
  const QStringList out = t.drive("click Form1.NIGERU(0)\n");
  EXPECT_EQ(out.first(), "[msgbox モフリンＧＰ|OK] もう勝てないので逃げた。 -> OK (default)");
  EXPECT_TRUE(out.contains("[show Form4]"));
  EXPECT_EQ(t.ctx.game.partHp.flat, start.flat);
  EXPECT_EQ(t.ctx.game.levels[O], 9);
}

TEST(BattleScreen, WithoutTheAttackAnimationThereIsNoHitSoundButMissesStillPopUp) {
  TestGame t;
  startWithRabbit(t);
  t.ctx.game.attackAnimation = 0;
  const QString first = t.ctx.game.techniqueNames(0, P);
  t.drive("click Form4.TRAI\nwait 500\nselect Form1.WAZA " + first + "\nwait 16\nclick Form1.IIYO(0)\n");
  // A hit roll of 0: the strike misses.
  const QStringList out = t.drive("random 0.5 0.5 0.05\nwait 910\nprint Form1.Label5\nprint Form1.Label5.visible\n");
  EXPECT_EQ(out.mid(out.size() - 2), (QStringList{"Form1.Label5 = ＭＩＳＳ", "Form1.Label5.visible = true"}));
  const QStringList rest = t.drive("wait 20000\n");
  EXPECT_FALSE((out + rest).join('\n').contains("[sound]"));
}

TEST(BattleScreen, AWholeTournamentByAutoKeepsTheRecordConsistent) {
  TestGame t;
  startWithRabbit(t);
  t.drive("seed 11\n");
  const GameState& g = t.ctx.game;
  // The record is checked after every bout, the last one too.
  int bouts = 0;
  while (bouts < 80 && g.winLead() < 40 && playTournament(t, 1) == 1) {
    ++bouts;
    EXPECT_EQ(g.wins + g.losses, g.bouts) << bouts;
    EXPECT_EQ(g.partHp.flat, t.ctx.battle.hpAtStart.flat) << bouts;  // every bout gives the hit points back
    EXPECT_GE(g.lifeForce, 1) << bouts;
  }
  if (t.ctx.ended()) {
    // Game over: the last defeat is booked, and its bout is never counted.
    EXPECT_EQ(g.wins + g.losses, g.bouts + 1);
    EXPECT_EQ(g.lifeForce, 0);
  }
  EXPECT_GT(bouts, 0);
}

TEST(BattleScreen, AStrikeIsToldStepByStepInTheMessageBox) {
  TestGame t;
  startWithRabbit(t);
  GameState& g = t.ctx.game;
  g.fighterName[P] = "ナミ";
  g.techniqueNames(0, P) = "A--ジャブ";
  g.techniqueCosts(0, P) = 3;
  g.partAttack(BodyPart::A, P) = 10;
  t.drive("click Form4.TRAI\nwait 500\n");
  g.partDefence(BodyPart::B, O) = 0;
  t.drive("select Form1.WAZA A--ジャブ\nwait 16\nclick Form1.IIYO(0)\n");
  // r1 = 0: 0.9 x 10 + 3 = 12; no defence on the dummy's body; a hit roll of 5.
  t.drive("random 0 0.5 0.5\n");
  EXPECT_EQ(t.drive("wait 300\nprint Form1.MSG\n").last(), "Form1.MSG = ナミのジャブ！！\r\n");
  QStringList out = t.drive("wait 600\nprint Form1.MSG\n");
  EXPECT_EQ(out.first(), "[sound] 0");
  EXPECT_EQ(out.last(), "Form1.MSG = ナミのジャブ！！\r\n敵のダミーに12のダメージ！！\r\n");
  out = t.drive("wait 540\nprint Form1.MSG\nprint Form1.HITP(1)\n");
  EXPECT_EQ(out[0], "Form1.MSG = ナミのジャブ！！\r\n敵のダミーに12のダメージ！！\r\nナミ　は　1 回ヒットした！！");
  EXPECT_EQ(g.partHp(BodyPart::A, P), 99 - 3);
  EXPECT_EQ(g.partHp(BodyPart::B, O), t.ctx.battle.hpAtStart(BodyPart::B, O) - 12);
}

TEST(BattleScreen, TheLastLifeForceLostEndsTheGameAfterFourBoxes) {
  TestGame t;
  startWithRabbit(t);
  GameState& g = t.ctx.game;
  g.lifeForce = 1;
  g.partHp(BodyPart::H, P) = 1;
  g.techniqueNames(0, P) = "H--頭突き";
  g.techniqueCosts(0, P) = 1;
  t.drive("click Form4.BATTLE\nwait 500\nselect Form1.WAZA H--頭突き\nwait 16\nclick Form1.IIYO(0)\n");
  // Paying the head's last point knocks the fighter out at the check after its strike.
  const QStringList out = t.drive("wait 5000\n");
  QStringList boxes;
  for (const QString& line : out) {
    if (line.startsWith("[msgbox") || line == "[end]") boxes << line;
  }
  EXPECT_EQ(boxes, (QStringList{"[msgbox モフリンＧＰ|OK] 残念ですが、あなたは寿命がきました。 -> OK (default)",
                                "[msgbox モフリンＧＰ|OK] あなたは死にました･･･ -> OK (default)",
                                "[msgbox モフリンＧＰ|OK] Game Over！！ -> OK (default)",
                                "[msgbox モフリンＧＰ|OK] あきらめないでまたやってね！！ -> OK (default)", "[end]"}));
  EXPECT_TRUE(t.ctx.ended());
  EXPECT_EQ(g.losses, 1);
}

TEST(BattleScreen, TheFinalWonByAutoShowsEachStartersEndingAndRecordsIt) {
  // The four starters and the picture of their endings.
  const std::pair<int, const char*> starters[] = {
      {49, "story2.png"}, {50, "story3.png"}, {51, "story4.png"}, {52, "story5.png"}};
  for (const auto& [key, picture] : starters) {
    TestGame t;
    t.start();
    t.drive(QStringLiteral("click Form2.o1\nkey Form3 %1\nclick Form3.Command1\n").arg(key));
    GameState& g = t.ctx.game;
    // One win short of the goal, and strong enough for the final.
    g.wins = 39;
    g.losses = 0;
    g.bouts = 39;
    for (int p = 0; p < kPartCount; ++p) g.partAttack(p, P) = 50000;
    t.drive("click Form4.BATTLE\n");
    ASSERT_EQ(g.characterIndex[O], 13) << key;  // the final's challenger
    const QStringList bout = t.drive(QString("click Form1.Command1\n").repeated(30) + "until Form6 600000\n" +
                                     // The fortieth win offers a technique first: declined. Then
                                     // the ending, and yes to the hall of fame.
                                     "answer Yes Yes\nfile cancel\nclick Form6.No\n");
    Form7* story = t.screen<Form7>();
    ASSERT_TRUE(story) << key << bout.join('\n').toStdString();
    EXPECT_EQ(story->GAZO.picture().file, picture) << key;
    EXPECT_TRUE(story->Text1.text().contains(g.fighterName[P])) << key;
    EXPECT_EQ(g.hallOfFame[1][0], g.fighterName[P]) << key;
    EXPECT_EQ(g.hallOfFame[1][1], QString::number(g.characterIndex[P])) << key;
    EXPECT_TRUE(bout.contains("[file save datﾌｧｲﾙ|*.dat] -> cancel")) << key;  // the save was offered
  }
}

TEST(BattleScreen, SoundsComeFromTheProgramFolderAndEachSideHasItsOwnHit) {
  platform::VirtualClock clock;
  QTemporaryDir work;
  // A program folder that already ends in the separator gets no second one.
  platform::HeadlessPlatform platform(clock, QStringLiteral(MOFURIN_BIN_DIR "/"), work.path());
  QStringList trace;
  platform.setTracer([&](const QString& line) { trace << line; });
  Game ctx(platform);
  ctx.game.levels = {{1, 1}};
  ApplyStartingData(ctx.game, 3);
  ctx.game.fighterName[P] = "春ウサギ";
  ctx.game.messageSpeed = 300;
  ctx.game.attackAnimation = 1;
  ctx.forms.show<Form4>().TRAI_Click();
  EXPECT_TRUE(trace.contains("[media] open \"" MOFURIN_BIN_DIR "/music2.mid\" alias bgm"));
  ctx.battle.autoTurns = 30;
  clock.advance(60000);
  QFile player(MOFURIN_BIN_DIR "/Snd091.wav"), opponent(MOFURIN_BIN_DIR "/Snd053.wav");
  ASSERT_TRUE(player.open(QIODevice::ReadOnly) && opponent.open(QIODevice::ReadOnly));
  const QByteArray playerHit = player.readAll(), opponentHit = opponent.readAll();
  const auto& effects = platform.recordingMedia().effects();
  int sides[2] = {0, 0};
  for (qsizetype i = 0, e = 0; i < trace.size(); ++i) {
    if (!trace[i].startsWith("[sound] ")) continue;
    const int side = trace[i].mid(8).toInt();
    ++sides[side];
    EXPECT_EQ(effects[e++], side == 0 ? playerHit : opponentHit) << i;
  }
  EXPECT_GT(sides[0], 0);
  EXPECT_GT(sides[1], 0);
}

TEST(BattleScreen, DigitKeysPickUsableSlotsAndEnterConfirms) {
  TestGame t;
  Form1& f = openTraining(t);
  t.drive("key Form1 49\n");  // during the intro nothing is picked
  EXPECT_EQ(f.WAZA.listIndex(), -1);
  t.drive("wait 600\n");
  ASSERT_TRUE(f.HV125.visible());
  const QStringList items = f.WAZA.items();
  const int usable = static_cast<int>(
      std::find_if(items.begin(), items.end(), [](const QString& i) { return i != kNoTechnique; }) - items.begin());
  const int unusable = static_cast<int>(items.indexOf(kNoTechnique));
  ASSERT_LT(usable, 8);
  ASSERT_GE(unusable, 0);
  t.drive(QStringLiteral("key Form1.WAZA %1\n").arg(49 + usable));
  EXPECT_EQ(f.WAZA.listIndex(), usable);
  t.drive(QStringLiteral("key Form1 %1\n").arg(97 + unusable));  // the keypad too; an unusable slot is passed over
  EXPECT_EQ(f.WAZA.listIndex(), usable);
  t.drive("key Form1 57\nkey Form1 48\n");  // 9 and 0 name no slot
  EXPECT_EQ(f.WAZA.listIndex(), usable);
  t.drive("wait 16\nkey Form1.WAZA 13\n");
  EXPECT_FALSE(f.HV125.visible());
  EXPECT_EQ(t.ctx.battle.chosenSlot[P], usable);
  EXPECT_EQ(t.ctx.battle.battlePhase, Phase::PlayerAnnounces);
}

// A digit and Enter in the same frame play that digit's slot, on the first
// panel and on every fresh one after it: the record has the player's keys.
TEST(BattleScreen, ADigitAndEnterInOneFramePlayThatSlotOnEveryPanel) {
  TestGame t;
  openTraining(t);
  t.drive("seed 4\nwait 600\n");
  std::vector<int> pressed;
  for (int step = 0; step < 500 && t.screen<Form1>(); ++step) {
    Form1& f = *t.screen<Form1>();
    if (f.HV125.visible()) {
      std::vector<int> usable;
      for (int slot = 0; slot < f.WAZA.items().size(); ++slot) {
        if (f.WAZA.items()[slot] != kNoTechnique) usable.push_back(slot);
      }
      ASSERT_FALSE(usable.empty());
      const int slot = usable[pressed.size() % usable.size()];
      t.drive(QStringLiteral("key Form1.WAZA %1\nkey Form1.WAZA 13\n").arg(49 + slot));
      pressed.push_back(slot);
    }
    t.drive("answer OK\nwait 100\n");
  }
  ASSERT_FALSE(t.screen<Form1>());
  const QDir folder(t.workingFile("replays"));
  QFile record(folder.filePath(folder.entryList(QDir::Files).value(0)));
  ASSERT_TRUE(record.open(QIODevice::ReadOnly));
  std::vector<int> recorded;
  for (const QByteArray& line : record.readAll().split('\n')) {
    if (line.startsWith("choice 0 player ")) recorded.push_back(line.mid(16).toInt());
  }
  EXPECT_GT(pressed.size(), 2u);
  EXPECT_EQ(recorded, pressed);
}
