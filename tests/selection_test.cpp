#include "screens/Selection.h"

#include "QtPrinters.h"
#include "TestGame.h"
#include "game/Roster.h"
#include "game/Techniques.h"

using namespace mofurin;
using namespace mofurin::test;

namespace {

void toStarterScreen(TestGame& t) {
  t.start();
  t.drive("click Form2.o1\n");
}

}  // namespace

TEST(StarterScreen, KeyThreeAndAnEmptyNameGiveTheSpringRabbit) {
  TestGame t;
  toStarterScreen(t);
  const QStringList out = t.drive(
      "print Form3.Command1.enabled\nkey Form3 51\nprint Form3.Command1.enabled\nprint Form3.SETU.colour\n"
      "answer OK\nclick Form3.Command1\n");
  EXPECT_EQ(out, (QStringList{"Form3.Command1.enabled = false", "Form3.Command1.enabled = true",
                              "Form3.SETU.colour = #FFC0FF",
                              "[msgbox モフリンＧＰ|OKCancel|Question] 春ウサギ　でよいですか？ -> OK", "[close Form3]",
                              "[show Form4]"}));
  const GameState& g = t.ctx.game;
  EXPECT_EQ(g.fighterName[Side::Player], "春ウサギ");
  EXPECT_EQ(g.characterIndex[Side::Player], 3);
  for (int p = 0; p < kPartCount; ++p) {
    EXPECT_EQ(g.partHp(p, Side::Player), (std::array{110, 99, 121, 171})[p]) << p;
    EXPECT_EQ(g.partAttack(p, Side::Player), (std::array{30, 67, 82, 93})[p]) << p;
  }
  EXPECT_EQ(g.techniqueNames(0, Side::Player), LookupTechnique(10, 1).text);
  EXPECT_EQ(g.techniqueNames(4, Side::Player), kNoTechnique);
  EXPECT_EQ(g.lifeForce, 25);
  EXPECT_EQ(g.money, 100);
}

TEST(StarterScreen, OnlyTheDigitRowChoosesAndNotWhileTypingAName) {
  TestGame t;
  toStarterScreen(t);
  const QString instruction = QStringLiteral("選ぶキャラ自体をクリックしてください") + newLine;
  t.drive("key Form3 99\nkey Form3 53\nkey Form3 48\n");
  EXPECT_EQ(t.screen<Form3>()->SETU.text(), instruction);
  EXPECT_FALSE(t.screen<Form3>()->Text1.enabled());
  t.drive("click Form3.HIRO1(0)\ntype Form3.Text1 2\nkey Form3.Text1 50\n");
  EXPECT_TRUE(t.screen<Form3>()->SETU.text().startsWith("ジャンヌ"));
  t.drive("key Form3.Command1 52\n");  // the confirm button passes the digits on
  EXPECT_TRUE(t.screen<Form3>()->SETU.text().startsWith("チュン子"));
  EXPECT_EQ(t.screen<Form3>()->SETU.text(), StarterCharacters()[3].description());
}

// Enter in the name box confirms, on both selection screens.
TEST(StarterScreen, EnterInTheNameBoxConfirms) {
  const struct {
    const char* toScreen;
    const char* nameBox;
    const char* answer;
  } rows[] = {
      {"answer No\nclick Form2.o1\nkey Form3 51\n", "Form3.Text1", "OK"},
      {"answer Yes\nclick Form2.o1\n", "Form8.Text1", "Yes"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.nameBox);
    TestGame t;
    t.writeWorkingFile("kiro.txt", "\"x\"\r\n");  // a cleared run opens the all-roster screen
    t.start();
    t.drive(row.toScreen);
    const QStringList out = t.drive(QStringLiteral("type %1 ボク\nanswer %2\nkey %1 13\n").arg(row.nameBox, row.answer));
    EXPECT_TRUE(out.contains("[show Form4]")) << out.join('\n').toStdString();
    EXPECT_EQ(t.ctx.game.fighterName[Side::Player], "ボク");
  }
  // The description a digit key leaves the keyboard on cannot take a line
  // break: Enter there confirms too.
  TestGame t;
  t.start();
  const QStringList out = t.drive("click Form2.o1\nkey Form3 51\nanswer OK\nkey Form3.SETU 13\n");
  EXPECT_TRUE(out.contains("[show Form4]")) << out.join('\n').toStdString();
}

TEST(StarterScreen, TheQuestionNamesTheStarterAndATypedNameComesOnlyAfterOk) {
  TestGame t;
  toStarterScreen(t);
  QStringList out =
      t.drive("click Form3.HIRO1(1)\ntype Form3.Text1 ドラゴン太郎\nanswer Cancel\nclick Form3.Command1\n");
  EXPECT_EQ(out, (QStringList{"[msgbox モフリンＧＰ|OKCancel|Question] ミニドラ　でよいですか？ -> Cancel"}));
  EXPECT_TRUE(t.ctx.forms.isShown("Form3"));
  EXPECT_EQ(t.ctx.game.lifeForceMax, 0);  // nothing applied
  out = t.drive("answer OK\nclick Form3.Command1\n");
  EXPECT_EQ(t.ctx.game.fighterName[Side::Player], "ドラゴン太郎");
  EXPECT_EQ(t.ctx.game.characterIndex[Side::Player], 7);
  EXPECT_EQ(t.ctx.game.lifeForceMax, 15);
}

TEST(StarterScreen, NamesKeepFourteenCharactersAndOnlyBlanksAreNoName) {
  TestGame t;
  toStarterScreen(t);
  t.drive("key Form3 49\ntype Form3.Text1 あいうえおかきくけこさしすせそた\n");
  EXPECT_EQ(t.screen<Form3>()->Text1.text(), "あいうえおかきくけこさしすせ");
  t.drive("type Form3.Text1 \u3000 \nclick Form3.Command1\n");
  EXPECT_EQ(t.ctx.game.fighterName[Side::Player], "ジャンヌ");  // as with nothing typed
}

TEST(StarterScreen, ANameWithADoubleQuoteIsRefusedBeforeAnythingChanges) {
  TestGame t;
  toStarterScreen(t);
  const QStringList out = t.drive("key Form3 49\ntype Form3.Text1 a\"b\nclick Form3.Command1\n");
  ASSERT_EQ(out.size(), 1);
  EXPECT_TRUE(out[0].startsWith("[msgbox モフリンＧＰ|OK] 名前に \" は使えません。"));
  EXPECT_TRUE(t.ctx.forms.isShown("Form3"));
  EXPECT_TRUE(t.ctx.game.fighterName[Side::Player].isEmpty());
}

TEST(AllRosterScreen, TheIndexCyclesBothWays) {
  TestGame t;
  t.writeWorkingFile("kiro.txt", "\"x\"\r\n");
  t.start();
  const QStringList out = t.drive(
      "answer Yes\nclick Form2.o1\nprint Form8.Label1\nclick Form8.Command2\nprint Form8.Label1\n"
      "print Form8.USI\nclick Form8.Command1\nprint Form8.Label1\n");
  EXPECT_EQ(out.mid(4),
            (QStringList{"Form8.Label1 = モフリンネーム－ニャーポン", "Form8.Label1 = モフリンネーム－ハルコ",
                         "Form8.USI = chara15_back.png", "Form8.Label1 = モフリンネーム－ニャーポン"}));
  for (int i = 0; i < 16; ++i) t.drive("click Form8.Command1\n");
  EXPECT_EQ(t.ctx.game.characterIndex[Side::Player], 0);
}

TEST(AllRosterScreen, NoKeepsTheScreenAndYesTakesTheShownCharacter) {
  TestGame t;
  t.writeWorkingFile("kiro.txt", "\"x\"\r\n");
  t.start();
  t.drive("answer Yes\nclick Form2.o1\nclick Form8.Command2\nclick Form8.Command2\n");
  QStringList out = t.drive("answer No\nclick Form8.Command3\n");
  EXPECT_EQ(out, (QStringList{"[msgbox モフリンＧＰ|YesNo] ナミでいいですか？ -> No"}));
  EXPECT_EQ(t.ctx.game.lifeForceMax, 0);
  out = t.drive("type Form8.Text1 なみへい\nanswer Yes\nclick Form8.Command3\n");
  EXPECT_EQ(out.last(), "[show Form4]");
  EXPECT_EQ(t.ctx.game.fighterName[Side::Player], "なみへい");
  EXPECT_EQ(t.ctx.game.characterIndex[Side::Player], 14);
  EXPECT_EQ(t.ctx.game.partDefence(BodyPart::H, Side::Player), 35);
  EXPECT_EQ(t.ctx.game.lifeForce, 2);
}
