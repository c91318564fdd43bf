#include "screens/Hub.h"

#include "QtPrinters.h"
#include "TestGame.h"
#include "platform/Keys.h"

using namespace mofurin;
using namespace mofurin::test;

TEST(Hub, StatusTextsOfANewRabbit) {
  TestGame t;
  startWithRabbit(t);
  const QStringList out = t.drive(
      "print Form4.MYNA\nprint Form4.MOTIG\nprint Form4.LIFE3\nprint Form4.WINNER\nprint Form4.Label2(3)\n"
      "print Form4.WAZA.items\nprint Form4.Label1(2)\nselect Form4.WAZA BR-締めつける\nwait 16\nprint Form4.Label1(2)\n"
      "select Form4.WAZA ---NO DATA\nwait 16\nprint Form4.Label1(2)\nprint Form4.MYGA\nprint Form4.STRIN(1).checked\n");
  EXPECT_EQ(out, (QStringList{
                     "Form4.MYNA = Lv.1　春ウサギ",
                     "Form4.MOTIG = 所持金　100\\",
                     "Form4.LIFE3 = 生命力　25/25",
                     "Form4.WINNER = 登板数 0\r\n白星    0/40\r\n黒星    0",
                     "Form4.Label2(3) = ＲＡＮＫ---？",
                     "Form4.WAZA.items = A--ストレートパンチ|L--足払い|L--キック|BR-締めつける|---NO DATA|---NO DATA|"
                     "---NO DATA|---NO DATA",
                     "Form4.Label1(2) = HP消費量--0",
                     "Form4.Label1(2) = HP消費量--18",
                     "Form4.Label1(2) = HP消費量--0",
                     "Form4.MYGA = chara03_front.png",
                     "Form4.STRIN(1).checked = true",
                 }));
  EXPECT_EQ(
      t.screen<Form4>()->MYST.caption(),
      "ステータス\r\n頭\r\n残りHP　110\r\n攻撃力　30\r\n防御力　0\r\n両腕\r\n残りHP　99\r\n攻撃力　67\r\n防御力　14\r\n"
      "両脚\r\n残りHP　121\r\n攻撃力　82\r\n防御力　17\r\n胴体\r\n残りHP　171\r\n攻撃力　93\r\n防御力　11\r\n");
}

TEST(Hub, TheRecordAfterSomeBoutsAndNegativeNumbers) {
  TestGame t;
  startWithRabbit(t);
  GameState& g = t.ctx.game;
  g.bouts = 6;
  g.wins = 3;
  g.losses = 2;
  g.money = -5;
  t.screen<Form4>()->YOUHYO();
  EXPECT_EQ(t.screen<Form4>()->WINNER.caption(), "登板数 6\r\n白星    3/42\r\n黒星    2");
  EXPECT_EQ(t.screen<Form4>()->MOTIG.caption(), "所持金　-5\\");
}

TEST(Hub, TheLifeBarIsEmptyRatherThanBrokenWhenTheMaximumIsZero) {
  TestGame t;
  startWithRabbit(t);
  Form4& hub = *t.screen<Form4>();
  GameState& g = t.ctx.game;
  g.lifeForce = 10;
  g.lifeForceMax = 20;
  hub.YOUHYO();
  EXPECT_EQ(hub.LIFE2.width(), hub.LIFE1.width() / 2);
  g.lifeForceMax = 0;
  hub.YOUHYO();
  EXPECT_EQ(hub.LIFE2.width(), 0);
  EXPECT_EQ(hub.LIFE3.caption(), "生命力　10/0");
  g.lifeForceMax = 5;  // more life force than the maximum: the bar stays inside its frame
  hub.YOUHYO();
  EXPECT_EQ(hub.LIFE2.width(), hub.LIFE1.width());
}

TEST(Hub, TheOptionsAreWrittenIntoTheGameAndAStrangeSpeedIsClamped) {
  TestGame t;
  startWithRabbit(t);
  t.drive("scroll Form4.SPEED 57\nclick Form4.Check1\n");
  EXPECT_EQ(t.ctx.game.messageSpeed, 57);
  EXPECT_EQ(t.ctx.game.attackAnimation, 0);
  EXPECT_EQ(t.screen<Form4>()->Label2[1].caption(), "メッセージスピード57");
  for (auto [stored, shown] : {std::pair{500, 400}, {0, 1}, {-3, 1}, {1, 1}}) {
    t.ctx.game.messageSpeed = stored;
    t.ctx.forms.close<Form4>();
    t.ctx.forms.show<Form4>();
    EXPECT_EQ(t.screen<Form4>()->SPEED.value(), shown);
    EXPECT_EQ(t.ctx.game.messageSpeed, shown);
    EXPECT_EQ(t.screen<Form4>()->Label2[1].caption(), QStringLiteral("メッセージスピード%1").arg(shown));
  }
}

TEST(Hub, AFreshHubAlwaysOffersNormal) {
  TestGame t;
  startWithRabbit(t);
  t.drive("click Form4.STRIN(0)\n");
  t.ctx.forms.close<Form4>();
  t.ctx.forms.show<Form4>();
  EXPECT_TRUE(t.screen<Form4>()->STRIN[1].selected());
  EXPECT_FALSE(t.screen<Form4>()->STRIN[0].selected());
}

TEST(Hub, TheShopIsClosedInTheLastStretchUnlessTheTournamentIsCleared) {
  TestGame t;
  startWithRabbit(t);
  t.ctx.game.wins = 40;
  t.ctx.game.losses = 2;
  QStringList out = t.drive("click Form4.HPUP\nclick Form4.TRAI\n");
  EXPECT_EQ(out,
            (QStringList{"[msgbox モフリンＧＰ|OK] ３８回戦目からは使えないことになっています。 -> OK (default)",
                         "[msgbox モフリンＧＰ|OK] ３８回戦目からは使えないことになっています。 -> OK (default)"}));
  t.ctx.game.rankText = "Ａ";
  out = t.drive("click Form4.HPUP\nprint Form4.enabled\n");
  EXPECT_EQ(out, (QStringList{"[show Form5]", "Form4.enabled = false"}));
}

TEST(Hub, TheShopDisablesTheHubAndClosingItRefreshesTheHub) {
  TestGame t;
  startWithRabbit(t);
  QStringList out = t.drive(
      "click Form4.HPUP\nclick Form4.BATTLE\ntype Form5.UPG 10\nwait 16\nanswer Yes\nclick Form5.IIDASU\n"
      "click Form5.BYE\nprint Form4.enabled\nprint Form4.MOTIG\n");
  EXPECT_TRUE(out.contains("[not usable Form4.BATTLE]"));
  EXPECT_EQ(out.mid(out.size() - 3),
            (QStringList{"[close Form5]", "Form4.enabled = true", "Form4.MOTIG = 所持金　60\\"}));
}

TEST(Hub, TheHiddenPurchase) {
  struct Case {
    qint32 money, lifeForce;
    QStringList answers;
    qint32 moneyAfter, lifeAfter;
    QString reply;
  };
  const Case cases[] = {
      {1000, 24, {"OK", "OK", "Yes"}, 0, 25, "[msgbox モフリンＧＰ|OK] 毎度ー！ -> OK (default)"},
      {999,
       24,
       {"OK", "OK", "Yes"},
       999,
       24,
       "[msgbox モフリンＧＰ|OK] あら、金欠ですか？\r\nでは、また今度。 -> OK (default)"},
      {5000, 25, {}, 5000, 25, "[msgbox モフリンＧＰ|OK] でも、あなたには必要ないっスね -> OK (default)"},
  };
  for (const Case& c : cases) {
    TestGame t;
    startWithRabbit(t);
    t.ctx.game.money = c.money;
    t.ctx.game.lifeForce = c.lifeForce;
    const QString answers = c.answers.isEmpty() ? QString() : "answer " + c.answers.join(' ') + "\n";
    const QStringList out = t.drive(answers + "click Form4.Label2(2)\n");
    EXPECT_TRUE(out.first().startsWith("[msgbox モフリンＧＰ|OK] よく発見しました。\r\nここが謎のウラ技です！ -> OK"));
    EXPECT_TRUE(out.contains(c.reply)) << c.money;
    EXPECT_EQ(out.last(), "[msgbox モフリンＧＰ|OK] バイバーイ -> OK (default)");
    EXPECT_EQ(c.answers.isEmpty(), !out.join('\n').contains("1000Ｇで買います？"));
    EXPECT_EQ(t.ctx.game.money, c.moneyAfter);
    EXPECT_EQ(t.ctx.game.lifeForce, c.lifeAfter);
    EXPECT_EQ(t.screen<Form4>()->LIFE3.caption(), QStringLiteral("生命力　%1/25").arg(c.lifeAfter));
  }
}

TEST(Hub, ResetAsksThenRunsTheStartUpAgain) {
  TestGame t;
  startWithRabbit(t);
  t.ctx.game.wins = 5;
  QStringList out = t.drive("answer No\nclick Form4.Command4\n");
  EXPECT_EQ(out, (QStringList{"[msgbox モフリンＧＰ|YesNo] タイトルに戻ります。いい？ -> No"}));
  out = t.drive("answer Yes\nclick Form4.Command4\n");
  EXPECT_EQ(out.mid(1), (QStringList{"[close Form4]", "[show Form2]"}));
  EXPECT_EQ(t.ctx.game.wins, 0);
  EXPECT_TRUE(t.ctx.game.startupDone);
}

TEST(Hub, TheHallOfFameRoomLeadsBackToANewHub) {
  TestGame t;
  startWithRabbit(t);
  const QStringList out = t.drive("click Form4.tabi\nclick Form9.Command1\n");
  EXPECT_EQ(out, (QStringList{"[close Form4]", "[show Form9]", "[close Form9]", "[show Form4]"}));
}

// Esc is the close button's key on every window that has one; the screen
// behind takes input again.
TEST(Hub, EscClosesEveryWindowThatHasACloseButton) {
  const struct {
    const char* setUp;  // driver lines from the hub of a new game
    const char* window;
    const char* behind;
  } rows[] = {
      {"click Form4.HPUP\n", "Form5", "Form4"},
      {"click Form4.tabi\n", "Form9", "Form4"},
      {"click Form4.Command3\n", "FormHosts", "Form4"},
      {"answer Yes\nclick Form4.Command4\nclick Form2.mnuReplay\n", "FormReplays", "Form2"},
      {"answer Yes\nclick Form4.Command4\nclick Form2.mnuSettings\n", "FormSettings", "Form2"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.window);
    TestGame t;
    startWithRabbit(t);
    t.drive(row.setUp);
    ASSERT_TRUE(t.ctx.forms.isShown(row.window));
    // Pressed where the window puts the keyboard when it opens.
    platform::Form& window = *t.ctx.forms.find(row.window);
    window.keyDown(window.initialFocus(), platform::Key::Escape);
    t.platform().virtualClock().runPosted();
    EXPECT_FALSE(t.ctx.forms.isShown(row.window));
    const platform::Form* behind = t.ctx.forms.find(row.behind);
    ASSERT_TRUE(behind && behind->visible());
    EXPECT_TRUE(behind->enabled());
    EXPECT_FALSE(t.ctx.ended());
  }
}

TEST(Hub, F1OpensTheHelpOnEveryScreenOfTheWayIn) {
  TestGame t;
  t.writeWorkingFile("kiro.txt", "\"x\"\r\n");
  t.start();
  const QStringList out = t.drive(
      "key Form2 112\nanswer Yes\nclick Form2.o1\nkey Form8 112\nanswer Yes\nclick Form8.Command3\nkey Form4 112\n"
      "click Form4.HPUP\nkey Form5.UPG 112\n");
  EXPECT_EQ(out.filter("[help").size(), 4);
  EXPECT_TRUE(out.contains("[help shop]"));
}
