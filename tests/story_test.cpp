// The message screen after a tournament bout: tally, milestones, endings,
// the rank and the hall-of-fame question.

#include "screens/Story.h"

#include <QPlainTextEdit>
#include <QScrollBar>

#include "QtGame.h"
#include "QtPrinters.h"
#include "TestGame.h"
#include "screens/Hub.h"

using namespace mofurin;
using namespace mofurin::test;

namespace {

constexpr Side P = Side::Player;

// The texts as the player reads them, for a fighter named ポチ.
const char* const kAdvice = R"(ポチは、次で勝つと
決勝トーナメントに参加することができる。
このトーナメントではトレーニング、回復が
使用できなくなります。
この次で強くなっておいた方がいいです。
以上、アドバイスでした。がんばれよ。)";
const char* const kChallenge = R"(次は決勝戦。
？？？「くう･･･もうここまで来たのか････
本気でいかなければなるまい･･･
待ってろよ･･･  ポチ！)";
const char* const kDwarf = R"(やっと戦いに勝利！ 優勝した！
ふるさとのドワーフ国に帰ってきた。
ポチ「あら？なんか様子がおかしいわねえ･･･
お祭りなのかしら？」


実はそうだったのだ。
それもここの王様、この戦いに勝利したら
王女になる権利があったのである。

王「ポチー！どこだーい？
僕が抱き締めてあげるよーん」
その頃、すでにポチは
新たな旅を始めようとしていたのだった･･･)";
const char* const kDragon = R"(なんとか戦いに勝利！ 優勝した！
ふるさとのドラゴン国に帰ってきた。
長「ポチをたたえて、新たな長にする！」
････と、いうことで長になった。


･･････････だったんだけど･･･
なにせ生存危機になっているドラゴン族。
子供すら作れないほどオスだらけだったのだ。

仕方なく、ポチは、ブルードラゴンの
つきあっているのだが、属性が違うことがあって
ポチは受難が絶えないという･･･)";
const char* const kWanderer = R"(戦いに勝利！ 優勝した！
ポチは行く当ても無いのでふらふらしていた。
と、その時、そこには色っぽい雌ウサギが･･･
ポチ「どですか？一緒にお茶でも」
一緒に緑茶をすすりつついろいろ語り合い････


なんと夜もともにしたのだった

ことが終わってから････
ポチ「俺はいくぜ」

雌ウサギ「ひどい！ 私のカラダが目的だったのね！」
･･････と、まあそんな感じに別れ、
ポチは、またあてのない旅を続けるのだった･･･)";
const char* const kBird = R"(やっとの思いで戦いに勝利！ 優勝した！
自分の国に帰ってきた。
帰るころには、すごいばか騒ぎになっており
もう無茶苦茶に祝った。


そしていいなづけと結婚したのであった。
そして、この国の平和ボケは悪化し･･･
そこには戦力低下に困り果てる
ポチの姿があったのでした。
現役 ４２Ｋｇ
１０年後 １２５Ｋｇ････)";
const char* const kCat = R"(ポチは、とうとう優勝した！！
「とうとう優勝よ！！これで…これで…
猫人間になるための費用がもらえるわァ!!」
と、スタッフ片付けの準備に入っているのを見る
「あら？賞品かなにかは?」
この大会でもらえるのは名誉と栄光だけだよ。
がちょおおおおん！！…
そして、その日未成年なのに居酒屋で
泣きながら店主と語っている
ポチの姿があったのでした。)";
const char* const kSister = R"(一途なおもいでとうとう優勝！！
ポチ「おにいちゃんはどこかしら…」
と、とぼとぼ帰り行く春ウサギの姿が…
「おにいちゃあん！！」がばっ！！
「うっ！？　ポチじゃないか…」
「おにいちゃん…なんでいきなり出ていったのよ…
すごく心配したんだから…　おうちかえろっ」
「う…え…あ…そうだな…帰ろうか…（汗」
「ふふふ。もう離さないんだからっ♪」



で･･数日後…
「おにいちゃんどこいったの～～？？」
ポチ、春ウサギの置手紙を見つける。
俺は旅に出る。後はヨロシクなっ！！
ポチ、帰ったらまた遊ぼうな
「・・・・・・またおにいちゃんがぁ～～～！！」
親に報告しに行くポチであった…)";
const char* const kCredits = R"(おめでとう！！
まさかあなたがここまでするとは思わなかった････
いやー、拍手拍手、パチパチパチ！(^O^)
では、スタッフ紹介といきたいのですが････
シナリオ・イラスト・パラメータ等････
ぜーんぶ　私　ぽむる　ぺけた　です。
ここまで作るので結構かかっちゃったんです
それから････このゲームをやってくれた皆さんに････
ＴＨＡＮＫ　ＹＯＵ　ＦＯＲ　ＰＬＡＹＩＮＧ　ＧＡＭＥ！！

ありがとうございましたー！

ＰＲＯＤＵＣＥＤ　ＢＹ　モフリンＧＰ 開発チーム)";

QString crlf(const char* text) { return QString::fromUtf8(text).replace(u'\n', QStringLiteral("\r\n")); }

// A run whose record is set by the test, on whatever screen is open.
void setRecord(TestGame& t, int character, qint32 wins, qint32 losses, qint32 bouts) {
  GameState& g = t.ctx.game;
  g.fighterName[P] = QStringLiteral("ポチ");
  g.characterIndex[P] = character;
  g.wins = wins;
  g.losses = losses;
  g.bouts = bouts;
}

// Opens the message screen from the hub of a new game, as the end of a bout
// would, with the record set; answers the boxes that come from `answers`.
Form7& openStory(TestGame& t, int character, qint32 wins, qint32 losses, qint32 bouts,
                 const QString& answers = QStringLiteral("answer No\n")) {
  if (!t.ctx.forms.find("Form4") && !t.ctx.forms.find("Form7")) startWithRabbit(t);
  t.ctx.forms.close<Form4>();
  t.ctx.forms.close<Form7>();
  setRecord(t, character, wins, losses, bouts);
  t.drive(answers);
  t.takeOutput();
  return t.ctx.forms.show<Form7>();
}

// A run won with forty wins and no loss.
Form7& openEnding(TestGame& t, int character, qint32 bouts = 40) { return openStory(t, character, 40, 0, bouts); }

}  // namespace

TEST(Story, EverySituationShowsItsTextAndPicture) {
  const QString rankA = QStringLiteral("\r\nRANK--Ａ");
  const QString wonTally = QStringLiteral("戦った回数：41\r\n白星    40/40\r\n黒星    0");
  struct Case {
    int character, wins, losses, bouts;
    QString text;
    QString picture;
  };
  QList<Case> cases = {{3, 5, 5, 10, QStringLiteral("戦った回数：11\r\n白星    5/45\r\n黒星    5"), "story_blank.png"},
                       {3, 38, 1, 39, crlf(kAdvice), "story1.png"},
                       {3, 39, 0, 39, crlf(kChallenge), "story0.png"},
                       {0, 40, 0, 40, wonTally + rankA, "story_blank.png"}};
  const QString endings[] = {crlf(kCredits), crlf(kCredits), crlf(kWanderer), crlf(kCredits), crlf(kCredits),
                             crlf(kDwarf),   crlf(kDragon),  crlf(kBird),     crlf(kCredits), crlf(kCredits),
                             crlf(kCredits), crlf(kCredits), crlf(kCredits),  crlf(kCat),     crlf(kSister)};
  const int pictures[] = {6, 6, 4, 6, 6, 2, 3, 5, 6, 6, 6, 6, 6, 7, 8};
  for (int c = 1; c < 16; ++c) {
    cases.append({c, 40, 0, 40, endings[c - 1] + rankA, QStringLiteral("story%1.png").arg(pictures[c - 1])});
  }
  for (int messageCase = 0; messageCase < cases.size(); ++messageCase) {
    const Case& c = cases[messageCase];
    TestGame t;
    Form7& f = openStory(t, c.character, c.wins, c.losses, c.bouts);
    EXPECT_EQ(f.messageCase, messageCase);
    EXPECT_EQ(f.Text1.text(), c.text) << messageCase;
    EXPECT_EQ(f.GAZO.picture().file, c.picture) << messageCase;
    EXPECT_TRUE(f.Text1.multiLine() && f.Text1.readOnly());
  }
}

TEST(Story, TheRankFollowsTheBoutsCountedWhenTheScreenOpens) {
  const std::pair<int, const char16_t*> grades[] = {{40, u"Ａ"},
                                                    {42, u"Ａ"},
                                                    {43, u"Ｂ"},
                                                    {46, u"Ｃ"},
                                                    {49, u"Ｄ"},
                                                    {51, u"Ｄ"},
                                                    {52, u"不合格"},
                                                    {90, u"不合格"},
                                                    // Below forty the rank is rounded down, not toward zero.
                                                    {39, u"不合格"},
                                                    {37, u"不合格"}};
  for (auto [bouts, rank] : grades) {
    TestGame t;
    Form7& f = openEnding(t, 6, bouts);
    EXPECT_EQ(t.ctx.game.rankText, QString::fromUtf16(rank)) << bouts;
    EXPECT_TRUE(f.Text1.text().endsWith(QStringLiteral("\r\nRANK--") + QString::fromUtf16(rank))) << bouts;
  }
}

TEST(Story, TheHallQuestionComesOnceTheEndingIsOnScreenAndNoKeepsTheRank) {
  TestGame t;
  openEnding(t, 6, 43);
  const QStringList out = t.takeOutput();
  EXPECT_EQ(out, (QStringList{"[show Form7]", "[msgbox モフリンＧＰ|YesNo] 殿堂システムに記録しますか？ -> No"}));
  EXPECT_EQ(t.ctx.game.rankText, "Ｂ");
  EXPECT_TRUE(t.ctx.game.hallOfFame[1][0].isEmpty());
  EXPECT_FALSE(QFile::exists(t.workingFile("kiro.txt")));
}

TEST(Story, AfterGradingEveryOpeningShowsTheTallyOnly) {
  TestGame t;
  openEnding(t, 7);
  ASSERT_EQ(t.ctx.game.rankText, "Ａ");
  for (auto [wins, losses] : {std::pair{41, 0}, {38, 1}, {39, 0}}) {
    Form7& f = openStory(t, 7, wins, losses, wins + losses);
    EXPECT_EQ(f.messageCase, 0);
    EXPECT_EQ(f.Text1.text(), QStringLiteral("戦った回数：%1\r\n白星    %2/%3\r\n黒星    %4")
                                  .arg(wins + losses + 1)
                                  .arg(wins)
                                  .arg(losses + 40)
                                  .arg(losses));
    EXPECT_EQ(f.GAZO.picture().file, "story_blank.png");
    EXPECT_TRUE(t.takeOutput().filter("msgbox").isEmpty());
  }
  EXPECT_EQ(t.ctx.game.rankText, "Ａ");
  EXPECT_EQ(t.drive("click Form7.Command1\n"), (QStringList{"[close Form7]", "[show Form4]"}));
}

TEST(Story, ACharacterNoRosterHasStillEndsTheRunWithTheTally) {
  for (int character : {16, 40, -1, -3}) {
    TestGame t;
    Form7& f = openEnding(t, character);
    EXPECT_EQ(f.messageCase, 3);
    EXPECT_EQ(f.Text1.text(), QStringLiteral("戦った回数：41\r\n白星    40/40\r\n黒星    0\r\nRANK--Ａ"));
    EXPECT_EQ(f.GAZO.picture().file, "story_blank.png");
  }
}

TEST(Story, TheLongestEndingFitsItsRealWindowWithoutScrolling) {
  QtGame g;
  GameState& game = g.ctx.game;
  game.rankText = QStringLiteral("？");
  game.fighterName[P] = QStringLiteral("ポチ");
  game.characterIndex[P] = 15;
  game.wins = 40;
  game.bouts = 40;
  g.dialogs.queueAnswer(platform::Answer::No);
  g.ctx.forms.show<Form7>();
  g.settle();
  QWidget* window = g.window("Form7");
  ASSERT_NE(window, nullptr);
  auto* text = window->findChild<QPlainTextEdit*>();
  ASSERT_NE(text, nullptr);
  EXPECT_TRUE(text->isReadOnly());
  EXPECT_EQ(text->toPlainText(), QString::fromUtf8(kSister) + QStringLiteral("\nRANK--Ａ"));
  EXPECT_EQ(text->verticalScrollBar()->maximum(), 0);
  g.ctx.forms.close<Form7>();
  g.settle();
}
