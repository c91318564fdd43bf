#include "screens/Story.h"

#include <cmath>

#include "game/Numbers.h"
#include "game/Roster.h"
#include "screens/HallOfFameScreen.h"

namespace mofurin {

namespace {

constexpr Side P = Side::Player;

// The texts, line by line (each line translated by itself, so a translation
// keeps the story's layout); {name} stands for the fighter's name. The dots
// are half-width (U+FF65) where the story has them, and the wide spaces are
// ideographic spaces.
const QString kNameMark = QStringLiteral("{name}");

const char* const kAdvice[] = {
    QT_TRANSLATE_NOOP("Form7", "{name}は、次で勝つと"),
    QT_TRANSLATE_NOOP("Form7", "決勝トーナメントに参加することができる。"),
    QT_TRANSLATE_NOOP("Form7", "このトーナメントではトレーニング、回復が"),
    QT_TRANSLATE_NOOP("Form7", "使用できなくなります。"),
    QT_TRANSLATE_NOOP("Form7", "この次で強くなっておいた方がいいです。"),
    QT_TRANSLATE_NOOP("Form7", "以上、アドバイスでした。がんばれよ。"),
};
const char* const kChallenge[] = {
    QT_TRANSLATE_NOOP("Form7", "次は決勝戦。"),
    QT_TRANSLATE_NOOP("Form7", "？？？「くう･･･もうここまで来たのか････"),
    QT_TRANSLATE_NOOP("Form7", "本気でいかなければなるまい･･･"),
    QT_TRANSLATE_NOOP("Form7", "待ってろよ･･･  {name}！"),
};
const char* const kDwarfEnding[] = {
    QT_TRANSLATE_NOOP("Form7", "やっと戦いに勝利！ 優勝した！"),
    QT_TRANSLATE_NOOP("Form7", "ふるさとのドワーフ国に帰ってきた。"),
    QT_TRANSLATE_NOOP("Form7", "{name}「あら？なんか様子がおかしいわねえ･･･"),
    QT_TRANSLATE_NOOP("Form7", "お祭りなのかしら？」"),
    "",
    "",
    QT_TRANSLATE_NOOP("Form7", "実はそうだったのだ。"),
    QT_TRANSLATE_NOOP("Form7", "それもここの王様、この戦いに勝利したら"),
    QT_TRANSLATE_NOOP("Form7", "王女になる権利があったのである。"),
    "",
    QT_TRANSLATE_NOOP("Form7", "王「{name}ー！どこだーい？"),
    QT_TRANSLATE_NOOP("Form7", "僕が抱き締めてあげるよーん」"),
    QT_TRANSLATE_NOOP("Form7", "その頃、すでに{name}は"),
    QT_TRANSLATE_NOOP("Form7", "新たな旅を始めようとしていたのだった･･･"),
};
const char* const kDragonEnding[] = {
    QT_TRANSLATE_NOOP("Form7", "なんとか戦いに勝利！ 優勝した！"),
    QT_TRANSLATE_NOOP("Form7", "ふるさとのドラゴン国に帰ってきた。"),
    QT_TRANSLATE_NOOP("Form7", "長「{name}をたたえて、新たな長にする！」"),
    QT_TRANSLATE_NOOP("Form7", "････と、いうことで長になった。"),
    "",
    "",
    QT_TRANSLATE_NOOP("Form7", "･･････････だったんだけど･･･"),
    QT_TRANSLATE_NOOP("Form7", "なにせ生存危機になっているドラゴン族。"),
    QT_TRANSLATE_NOOP("Form7", "子供すら作れないほどオスだらけだったのだ。"),
    "",
    QT_TRANSLATE_NOOP("Form7", "仕方なく、{name}は、ブルードラゴンの"),
    QT_TRANSLATE_NOOP("Form7", "つきあっているのだが、属性が違うことがあって"),
    QT_TRANSLATE_NOOP("Form7", "{name}は受難が絶えないという･･･"),
};
const char* const kWandererEnding[] = {
    QT_TRANSLATE_NOOP("Form7", "戦いに勝利！ 優勝した！"),
    QT_TRANSLATE_NOOP("Form7", "{name}は行く当ても無いのでふらふらしていた。"),
    QT_TRANSLATE_NOOP("Form7", "と、その時、そこには色っぽい雌ウサギが･･･"),
    QT_TRANSLATE_NOOP("Form7", "{name}「どですか？一緒にお茶でも」"),
    QT_TRANSLATE_NOOP("Form7", "一緒に緑茶をすすりつついろいろ語り合い････"),
    "",
    "",
    QT_TRANSLATE_NOOP("Form7", "なんと夜もともにしたのだった"),
    "",
    QT_TRANSLATE_NOOP("Form7", "ことが終わってから････"),
    QT_TRANSLATE_NOOP("Form7", "{name}「俺はいくぜ」"),
    "",
    QT_TRANSLATE_NOOP("Form7", "雌ウサギ「ひどい！ 私のカラダが目的だったのね！」"),
    QT_TRANSLATE_NOOP("Form7", "･･････と、まあそんな感じに別れ、"),
    QT_TRANSLATE_NOOP("Form7", "{name}は、またあてのない旅を続けるのだった･･･"),
};
const char* const kBirdEnding[] = {
    QT_TRANSLATE_NOOP("Form7", "やっとの思いで戦いに勝利！ 優勝した！"),
    QT_TRANSLATE_NOOP("Form7", "自分の国に帰ってきた。"),
    QT_TRANSLATE_NOOP("Form7", "帰るころには、すごいばか騒ぎになっており"),
    QT_TRANSLATE_NOOP("Form7", "もう無茶苦茶に祝った。"),
    "",
    "",
    QT_TRANSLATE_NOOP("Form7", "そしていいなづけと結婚したのであった。"),
    QT_TRANSLATE_NOOP("Form7", "そして、この国の平和ボケは悪化し･･･"),
    QT_TRANSLATE_NOOP("Form7", "そこには戦力低下に困り果てる"),
    QT_TRANSLATE_NOOP("Form7", "{name}の姿があったのでした。"),
    QT_TRANSLATE_NOOP("Form7", "現役 ４２Ｋｇ"),
    QT_TRANSLATE_NOOP("Form7", "１０年後 １２５Ｋｇ････"),
};
const char* const kCatEnding[] = {
    QT_TRANSLATE_NOOP("Form7", "{name}は、とうとう優勝した！！"),
    QT_TRANSLATE_NOOP("Form7", "「とうとう優勝よ！！これで…これで…"),
    QT_TRANSLATE_NOOP("Form7", "猫人間になるための費用がもらえるわァ!!」"),
    QT_TRANSLATE_NOOP("Form7", "と、スタッフ片付けの準備に入っているのを見る"),
    QT_TRANSLATE_NOOP("Form7", "「あら？賞品かなにかは?」"),
    QT_TRANSLATE_NOOP("Form7", "この大会でもらえるのは名誉と栄光だけだよ。"),
    QT_TRANSLATE_NOOP("Form7", "がちょおおおおん！！…"),
    QT_TRANSLATE_NOOP("Form7", "そして、その日未成年なのに居酒屋で"),
    QT_TRANSLATE_NOOP("Form7", "泣きながら店主と語っている"),
    QT_TRANSLATE_NOOP("Form7", "{name}の姿があったのでした。"),
};
const char* const kSisterEnding[] = {
    QT_TRANSLATE_NOOP("Form7", "一途なおもいでとうとう優勝！！"),
    QT_TRANSLATE_NOOP("Form7", "{name}「おにいちゃんはどこかしら…」"),
    QT_TRANSLATE_NOOP("Form7", "と、とぼとぼ帰り行く春ウサギの姿が…"),
    QT_TRANSLATE_NOOP("Form7", "「おにいちゃあん！！」がばっ！！"),
    QT_TRANSLATE_NOOP("Form7", "「うっ！？　{name}じゃないか…」"),
    QT_TRANSLATE_NOOP("Form7", "「おにいちゃん…なんでいきなり出ていったのよ…"),
    QT_TRANSLATE_NOOP("Form7", "すごく心配したんだから…　おうちかえろっ」"),
    QT_TRANSLATE_NOOP("Form7", "「う…え…あ…そうだな…帰ろうか…（汗」"),
    QT_TRANSLATE_NOOP("Form7", "「ふふふ。もう離さないんだからっ♪」"),
    "",
    "",
    "",
    QT_TRANSLATE_NOOP("Form7", "で･･数日後…"),
    QT_TRANSLATE_NOOP("Form7", "「おにいちゃんどこいったの～～？？」"),
    QT_TRANSLATE_NOOP("Form7", "{name}、春ウサギの置手紙を見つける。"),
    QT_TRANSLATE_NOOP("Form7", "俺は旅に出る。後はヨロシクなっ！！"),
    QT_TRANSLATE_NOOP("Form7", "{name}、帰ったらまた遊ぼうな"),
    QT_TRANSLATE_NOOP("Form7", "「・・・・・・またおにいちゃんがぁ～～～！！」"),
    QT_TRANSLATE_NOOP("Form7", "親に報告しに行く{name}であった…"),
};
const char* const kStaffCredits[] = {
    QT_TRANSLATE_NOOP("Form7", "おめでとう！！"),
    QT_TRANSLATE_NOOP("Form7", "まさかあなたがここまでするとは思わなかった････"),
    QT_TRANSLATE_NOOP("Form7", "いやー、拍手拍手、パチパチパチ！(^O^)"),
    QT_TRANSLATE_NOOP("Form7", "では、スタッフ紹介といきたいのですが････"),
    QT_TRANSLATE_NOOP("Form7", "シナリオ・イラスト・パラメータ等････"),
    QT_TRANSLATE_NOOP("Form7", "ぜーんぶ　私　ぽむる　ぺけた　です。"),
    QT_TRANSLATE_NOOP("Form7", "ここまで作るので結構かかっちゃったんです"),
    QT_TRANSLATE_NOOP("Form7", "それから････このゲームをやってくれた皆さんに････"),
    QT_TRANSLATE_NOOP("Form7", "ＴＨＡＮＫ　ＹＯＵ　ＦＯＲ　ＰＬＡＹＩＮＧ　ＧＡＭＥ！！"),
    "",
    QT_TRANSLATE_NOOP("Form7", "ありがとうございましたー！"),
    "",
    QT_TRANSLATE_NOOP("Form7", "ＰＲＯＤＵＣＥＤ　ＢＹ　モフリンＧＰ 開発チーム"),
};

enum class Story { Tally, Advice, Challenge, Credits, Wanderer, Dwarf, Dragon, Bird, Cat, Sister };

struct Situation {
  Story story;
  int picture;  // the Image1 entry shown, or -1 to leave the picture as it is
};

// By messageCase: 0 no milestone, 1 the advice, 2 the challenge, then one
// ending for each roster character.
constexpr Situation kSituations[] = {
    {Story::Tally, -1},  {Story::Advice, 1},   {Story::Challenge, 0}, {Story::Tally, -1},  {Story::Credits, 6},
    {Story::Credits, 6}, {Story::Wanderer, 4}, {Story::Credits, 6},   {Story::Credits, 6}, {Story::Dwarf, 2},
    {Story::Dragon, 3},  {Story::Bird, 5},     {Story::Credits, 6},   {Story::Credits, 6}, {Story::Credits, 6},
    {Story::Credits, 6}, {Story::Credits, 6},  {Story::Cat, 7},       {Story::Sister, 8}};
constexpr int kFirstEnding = 3;
constexpr int kWinLeadToClear = 40;

template <std::size_t N>
QString joinLines(const char* const (&lines)[N], const QString& name) {
  QStringList joined;
  const QString shownName = fighterForDisplay(name);
  for (const char* line : lines) {
    joined << (*line ? QCoreApplication::translate("Form7", line) : QString()).replace(kNameMark, shownName);
  }
  return joined.join(newLine);
}

QString tallyText(const GameState& g) {
  return QCoreApplication::translate("Form7", "戦った回数：%1\r\n白星    %2/%3\r\n黒星    %4")
      .arg(decimal(qint64(g.bouts) + 1), decimal(g.wins), decimal(qint64(g.losses) + kWinLeadToClear),
           decimal(g.losses));
}

QString storyText(Story story, const GameState& g) {
  const QString& name = g.fighterName[P];
  switch (story) {
    case Story::Tally: return tallyText(g);
    case Story::Advice: return joinLines(kAdvice, name);
    case Story::Challenge: return joinLines(kChallenge, name);
    case Story::Credits: return joinLines(kStaffCredits, name);
    case Story::Wanderer: return joinLines(kWandererEnding, name);
    case Story::Dwarf: return joinLines(kDwarfEnding, name);
    case Story::Dragon: return joinLines(kDragonEnding, name);
    case Story::Bird: return joinLines(kBirdEnding, name);
    case Story::Cat: return joinLines(kCatEnding, name);
    case Story::Sister: return joinLines(kSisterEnding, name);
  }
  return {};
}

// Milestones and endings belong to a run still being fought; once graded,
// the screen only keeps the tally.
int situationOf(const GameState& g) {
  if (!g.tournamentRunning()) return 0;
  const qint64 lead = qint64(g.wins) - g.losses;
  if (lead == 37) return 1;
  if (lead == 39) return 2;
  // A character no roster has (only an edited save file holds one) ends
  // the run as index 0 does, with the tally.
  if (lead >= kWinLeadToClear) return kFirstEnding + (isRosterIndex(g.characterIndex[P]) ? g.characterIndex[P] : 0);
  return 0;
}

// Every three bouts beyond the forty a clean run needs cost one rank letter.
QString rankFor(qint32 bouts) {
  const double k = std::floor((double(bouts) - kWinLeadToClear) / 3) + 1;
  if (k == 1) return QStringLiteral("Ａ");
  if (k == 2) return QStringLiteral("Ｂ");
  if (k == 3) return QStringLiteral("Ｃ");
  if (k == 4) return QStringLiteral("Ｄ");
  return QStringLiteral("不合格");
}

QString storyPicture(int n) { return QStringLiteral("story%1.png").arg(n); }

}  // namespace

Form7::Form7(GameContext& ctx) : Screen(ctx, kName) {
  layOut();
  showStaticTexts();
  Command1.onClick = [this] { Command1_Click(); };
}

void Form7::layOut() {
  setSize(13020, 6030);
  setBackColor(rgb(246, 241, 226));
  setHelpTopic(QStringLiteral("story"));
  GAZO.setGeometry(240, 240, 6000, 4500);
  GAZO.setBorder(true);
  GAZO.setPicture({QStringLiteral("story_blank.png")});
  Image1.forEach([](int n, PictureBox& image) {
    image.setVisible(false);
    image.setGeometry(0, 0, 6000, 4500);
    image.setPicture({storyPicture(n)});
  });
  Text1.setGeometry(6480, 240, 6300, 5550);
  Text1.setMultiLine(true);
  Text1.setReadOnly(true);
  Text1.setFont({10, false});
  Command1.setGeometry(3840, 5250, 2400, 540);
  Command1.setFont({11, true});
  setInitialFocus(&Command1);
}

void Form7::showStaticTexts() {
  setCaption(tr("メッセージBOX"));
  Text1.setAccessibleName(tr("メッセージ"));
  Command1.setCaption(tr("元に戻る"));
}

void Form7::showTexts() {
  showStaticTexts();
  GAZO.setAccessibleName(messageCase >= kFirstEnding ? tr("エンディングの絵") : tr("物語の絵"));
}

void Form7::Form_Load() {
  const GameState& g = game();
  messageCase = situationOf(g);
  const Situation& situation = kSituations[messageCase];
  if (situation.picture >= 0) GAZO.setPicture(Image1[situation.picture].picture());
  GAZO.setAccessibleName(messageCase >= kFirstEnding ? tr("エンディングの絵") : tr("物語の絵"));
  Text1.setText(storyText(situation.story, g));
  if (messageCase >= kFirstEnding) grade();
}

// The rank goes by the bouts counted when the screen opens; a rank letter
// instead of "？" ends the run's milestones and endings for good.
void Form7::grade() {
  GameState& g = game();
  g.rankText = rankFor(g.bouts);
  g.unsavedProgress = true;
  Text1.setText(Text1.text() + newLine + QStringLiteral("RANK--") + rankForDisplay(g.rankText));
  // The player reads the ending and the rank before the question.
  ctx.forms.show(kName);
  if (msgBox(tr("殿堂システムに記録しますか？"), Buttons::YesNo) == Answer::Yes) OUZYA(ctx);
}

void Form7::Command1_Click() { handOverTo(screen::Hub); }

}  // namespace mofurin
