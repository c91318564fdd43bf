#include "screens/Title.h"

#include "QtPrinters.h"
#include "TestGame.h"
#include "persist/Cp932.h"

using namespace mofurin;
using namespace mofurin::test;

namespace {

QByteArray kiroWithOneChampion() {
  QByteArray bytes = encodeCp932(QStringLiteral("\"ジャンヌ\"\r\n"));
  for (int i = 1; i < 20; ++i) bytes += "\"\"\r\n";
  bytes += "\"6\"\r\n";
  for (int i = 1; i < 20; ++i) bytes += "\"\"\r\n";
  bytes += encodeCp932(QStringLiteral("\"Ａ\"\r\n"));
  for (int i = 1; i < 20; ++i) bytes += "\"\"\r\n";
  return bytes;
}

}  // namespace

TEST(Title, QuitSaysFarewellWithOnlyAnOkButtonAndEnds) {
  TestGame t;
  t.start();
  int status = -1;
  const QStringList out = t.drive("click Form2.o3\nprint Form2.Label1\n", &status);
  EXPECT_EQ(out, (QStringList{"[show Form2]", "[msgbox おわる|OK] また会おう -> OK (default)", "[end]"}));
  EXPECT_EQ(status, 0);
  EXPECT_TRUE(t.ctx.ended());
}

TEST(Title, TheStartUpResetsTheRecordOnceAndClearsTheInboxEveryTime) {
  TestGame t;
  t.ctx.game.wins = 9;
  t.ctx.game.losses = 4;
  t.ctx.game.levels[Side::Opponent] = 7;
  t.ctx.link.inbox[42] = "old";
  t.start();
  EXPECT_TRUE(t.ctx.game.startupDone);
  EXPECT_EQ(t.ctx.game.wins, 0);
  EXPECT_EQ(t.ctx.game.losses, 0);
  EXPECT_EQ(t.ctx.game.levels[Side::Opponent], 1);
  EXPECT_TRUE(t.ctx.link.inbox[42].isEmpty());

  // A second title screen in the same run leaves the record alone.
  t.ctx.forms.close<Form2>();
  t.ctx.game.wins = 3;
  t.ctx.link.inbox[0] = "again";
  t.ctx.forms.show<Form2>();
  EXPECT_EQ(t.ctx.game.wins, 3);
  EXPECT_TRUE(t.ctx.link.inbox[0].isEmpty());
}

TEST(Title, ANewGameWithoutAHallOfFameAsksNothingAndOffersTheStarters) {
  TestGame t;
  t.start();
  t.ctx.game.levels[Side::Opponent] = 5;
  const QStringList out = t.drive("click Form2.o1\n");
  EXPECT_EQ(out, (QStringList{"[show Form2]", "[close Form2]", "[show Form3]"}));
  const GameState& g = t.ctx.game;
  EXPECT_EQ(g.levels[Side::Player], 1);
  EXPECT_EQ(g.levels[Side::Opponent], 1);
  EXPECT_EQ(g.messageSpeed, 300);
  EXPECT_EQ(g.attackAnimation, 1);
  EXPECT_EQ(g.money, 100);
  EXPECT_EQ(g.rankText, "？");
}

TEST(Title, AfterAClearedRunTheModeQuestionChoosesTheScreen) {
  const QString question =
      "[msgbox モフリンＧＰ|YesNo] 一度クリアしたので好きなキャラが選べます\r\n全員集合モードで遊びますか？";
  {
    TestGame t;
    t.writeWorkingFile("kiro.txt", kiroWithOneChampion());
    t.start();
    t.ctx.game.levels[Side::Opponent] = 5;
    const QStringList out = t.drive("answer Yes\nclick Form2.o1\n");
    EXPECT_EQ(out, (QStringList{"[show Form2]", question + " -> Yes", "[close Form2]", "[show Form8]"}));
    EXPECT_EQ(t.ctx.game.levels[Side::Opponent], 5);  // the all-roster mode keeps the opponent level
    EXPECT_EQ(t.ctx.game.hallOfFame[1][1], "6");
  }
  {
    TestGame t;
    t.writeWorkingFile("kiro.txt", kiroWithOneChampion());
    t.start();
    const QStringList out = t.drive("answer No\nclick Form2.o1\n");
    EXPECT_EQ(out, (QStringList{"[show Form2]", question + " -> No", "[close Form2]", "[show Form3]"}));
  }
}

TEST(Title, AShortOrBrokenHallOfFameNeverStopsTheTitle) {
  // A first entry with any name at all counts as a cleared run; empty
  // fields do not.
  const std::pair<QByteArray, const char*> files[] = {{QByteArray("\"ナ"), "Form8"},
                                                      {QByteArray("\x82\xff\x00\x01,,,\r\n\r\n\"\"\"", 14), "Form8"},
                                                      {QByteArray(100000, '"'), "Form3"}};
  for (const auto& [bytes, screen] : files) {
    TestGame t;
    t.writeWorkingFile("kiro.txt", bytes);
    t.start();
    int status = -1;
    t.drive("answer Yes\nclick Form2.o1\n", &status);
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(t.ctx.forms.isShown(screen)) << screen;
  }
}

TEST(Title, NewGameSeedsTheRandomSourceFromTheClock) {
  TestGame t;
  t.start();
  t.ctx.random.seed(1);
  const float unseeded = t.ctx.random.next();
  t.ctx.random.seed(1);
  t.platform().virtualClock().advance(1234);
  t.drive("click Form2.o1\n");
  EXPECT_NE(t.ctx.random.next(), unseeded);
}

TEST(Title, F1AndTheHelpMenuOpenTheHelp) {
  TestGame t;
  t.start();
  const QStringList out = t.drive("key Form2 112\nclick Form2.mnuHelpHint\nscreens\n");
  EXPECT_EQ(out, (QStringList{"[show Form2]", "[help title]", "[help title]", "screens = Form2"}));
}

TEST(Driver, ScriptErrorsStopWithTheLineNumber) {
  TestGame t;
  t.start();
  int status = -1;
  QStringList out = t.drive("# a comment\n\nclick Form2.nothing\nclick Form2.o3\n", &status);
  EXPECT_EQ(status, 2);
  EXPECT_EQ(out.last(), "error: line 3: unknown widget Form2.nothing");
  out = t.drive("jump Form2\n", &status);
  EXPECT_EQ(status, 2);
  out = t.drive("until Form8 1000\n", &status);
  EXPECT_EQ(status, 2);
  EXPECT_EQ(out.last(), "error: line 1: Form8 was not shown within 1000 ms");
  out = t.drive("random 1.0\n", &status);
  EXPECT_EQ(status, 2);
  EXPECT_FALSE(t.ctx.ended());
}

TEST(Driver, EscapesKeepEveryEventOnOneLine) {
  EXPECT_EQ(Driver::escape("a\r\nb\\c"), "a\\r\\nb\\\\c");
  EXPECT_EQ(Driver::unescape("a\\r\\nb\\\\c\\x"), "a\r\nb\\c\\x");
}

TEST(Driver, PrintShowsAttributes) {
  TestGame t;
  t.start();
  const QStringList out =
      t.drive("print Form2\nprint Form2.o1\nprint Form2.o1.enabled\nprint Form2.Label2.left\nprint Form2.Image1\n");
  EXPECT_EQ(out, (QStringList{"[show Form2]", "Form2 = オープニング", "Form2.o1 = はじめから",
                              "Form2.o1.enabled = true", "Form2.Label2.left = 300", "Form2.Image1 = title.png"}));
}

TEST(Driver, ListsTextBoxesAndScrollBarsAreCheckedByKind) {
  TestGame t;
  startWithRabbit(t);
  int status = -1;
  QStringList out = t.drive("select Form4.WAZA H--nothing\n", &status);
  EXPECT_EQ(status, 2);
  EXPECT_EQ(out.last(), "error: line 1: Form4.WAZA has no entry \"H--nothing\"");
  out = t.drive("type Form4.BATTLE hello\n", &status);
  EXPECT_EQ(out.last(), "error: line 1: Form4.BATTLE is not a text box");
  out = t.drive("scroll Form4.SPEED x\n", &status);
  EXPECT_EQ(status, 2);
  out = t.drive("print Form4.BATTLE.items\n", &status);
  EXPECT_EQ(status, 2);
  out = t.drive("print Form4.Timer1.enabled\nprint Form4.Timer1\nprint Form4.SPEED.value\nprint Form4.Check1.checked\n",
                &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(out, (QStringList{"Form4.Timer1.enabled = true", "Form4.Timer1 = 1", "Form4.SPEED.value = 300",
                              "Form4.Check1.checked = true"}));
}

TEST(Driver, ASeededScriptPlaysTheSameWayEveryTime) {
  const QString script = "seed 42\nclick Form2.o1\nkey Form3 50\nclick Form3.Command1\nwait 500\nclick Form4.BATTLE\n";
  std::vector<std::array<qint32, 8>> opponents;
  for (int run = 0; run < 2; ++run) {
    TestGame t;
    t.start();
    t.drive(script);
    opponents.push_back(t.ctx.game.partHp.flat);
  }
  EXPECT_EQ(opponents[0], opponents[1]);
}

TEST(Driver, UntilWaitsForAScreenAndDumpListsEveryWidget) {
  TestGame t;
  t.start();
  int status = -1;
  const QStringList out = t.drive("until Form2\ndump Form2\n", &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(out.mid(1, 3),
            (QStringList{"Form2 = オープニング", "Form2.Image1 = title.png", "Form2.Label2 = モフリン　ＧＰ"}));
  EXPECT_TRUE(out.contains("Form2.o3 = 終了"));
}

TEST(Title, AResetReadsTheHallOfFameAgain) {
  TestGame t;
  startWithRabbit(t);
  t.writeWorkingFile("kiro.txt", kiroWithOneChampion());
  const QStringList out = t.drive("answer Yes\nclick Form4.Command4\nanswer No\nclick Form2.o1\n");
  EXPECT_TRUE(out.join('\n').contains("全員集合モードで遊びますか？ -> No"));
  EXPECT_EQ(t.ctx.game.hallOfFame[1][0], "ジャンヌ");
}

TEST(Title, AfterTheEndNoMessageBoxIsShown) {
  TestGame t;
  t.start();
  t.drive("click Form2.o3\n");
  EXPECT_EQ(t.ctx.msgBox("late", platform::Buttons::YesNo), platform::Answer::Yes);
  EXPECT_EQ(t.dialogs().shown().size(), 1u);  // only the farewell
}
