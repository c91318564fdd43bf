#include "screens/Story.h"

#include <cmath>

#include "game/Numbers.h"
#include "game/Roster.h"
#include "screens/HallOfFameScreen.h"
#include "screens/Hub.h"

namespace mofurin {

namespace {

constexpr Side P = Side::Player;

// The texts, line by line; {name} stands for the fighter's name. The dots
// are half-width (U+FF65) where the story has them, and the wide spaces are
// ideographic spaces.
const QString kNameMark = QStringLiteral("{name}");

const char16_t* const kAdvice[] = {
    u"{name}は、次で勝つと",   u"決勝トーナメントに参加することができる。", u"このトーナメントではトレーニング、回復が",
    u"使用できなくなります。", u"この次で強くなっておいた方がいいです。",   u"以上、アドバイスでした。がんばれよ。",
};
const char16_t* const kChallenge[] = {
    u"次は決勝戦。",
    u"？？？「くう･･･もうここまで来たのか････",
    u"本気でいかなければなるまい･･･",
    u"待ってろよ･･･  {name}！",
};
const char16_t* const kDwarfEnding[] = {
    u"やっと戦いに勝利！ 優勝した！",
    u"ふるさとのドワーフ国に帰ってきた。",
    u"{name}「あら？なんか様子がおかしいわねえ･･･",
    u"お祭りなのかしら？」",
    u"",
    u"",
    u"実はそうだったのだ。",
    u"それもここの王様、この戦いに勝利したら",
    u"王女になる権利があったのである。",
    u"",
    u"王「{name}ー！どこだーい？",
    u"僕が抱き締めてあげるよーん」",
    u"その頃、すでに{name}は",
    u"新たな旅を始めようとしていたのだった･･･",
};
const char16_t* const kDragonEnding[] = {
    u"なんとか戦いに勝利！ 優勝した！",
    u"ふるさとのドラゴン国に帰ってきた。",
    u"長「{name}をたたえて、新たな長にする！」",
    u"････と、いうことで長になった。",
    u"",
    u"",
    u"･･････････だったんだけど･･･",
    u"なにせ生存危機になっているドラゴン族。",
    u"子供すら作れないほどオスだらけだったのだ。",
    u"",
    u"仕方なく、{name}は、ブルードラゴンの",
    u"つきあっているのだが、属性が違うことがあって",
    u"{name}は受難が絶えないという･･･",
};
const char16_t* const kWandererEnding[] = {
    u"戦いに勝利！ 優勝した！",
    u"{name}は行く当ても無いのでふらふらしていた。",
    u"と、その時、そこには色っぽい雌ウサギが･･･",
    u"{name}「どですか？一緒にお茶でも」",
    u"一緒に緑茶をすすりつついろいろ語り合い････",
    u"",
    u"",
    u"なんと夜もともにしたのだった",
    u"",
    u"ことが終わってから････",
    u"{name}「俺はいくぜ」",
    u"",
    u"雌ウサギ「ひどい！ 私のカラダが目的だったのね！」",
    u"･･････と、まあそんな感じに別れ、",
    u"{name}は、またあてのない旅を続けるのだった･･･",
};
const char16_t* const kBirdEnding[] = {
    u"やっとの思いで戦いに勝利！ 優勝した！",
    u"自分の国に帰ってきた。",
    u"帰るころには、すごいばか騒ぎになっており",
    u"もう無茶苦茶に祝った。",
    u"",
    u"",
    u"そしていいなづけと結婚したのであった。",
    u"そして、この国の平和ボケは悪化し･･･",
    u"そこには戦力低下に困り果てる",
    u"{name}の姿があったのでした。",
    u"現役 ４２Ｋｇ",
    u"１０年後 １２５Ｋｇ････",
};
const char16_t* const kCatEnding[] = {
    u"{name}は、とうとう優勝した！！",
    u"「とうとう優勝よ！！これで…これで…",
    u"猫人間になるための費用がもらえるわァ!!」",
    u"と、スタッフ片付けの準備に入っているのを見る",
    u"「あら？賞品かなにかは?」",
    u"この大会でもらえるのは名誉と栄光だけだよ。",
    u"がちょおおおおん！！…",
    u"そして、その日未成年なのに居酒屋で",
    u"泣きながら店主と語っている",
    u"{name}の姿があったのでした。",
};
const char16_t* const kSisterEnding[] = {
    u"一途なおもいでとうとう優勝！！",
    u"{name}「おにいちゃんはどこかしら…」",
    u"と、とぼとぼ帰り行く春ウサギの姿が…",
    u"「おにいちゃあん！！」がばっ！！",
    u"「うっ！？　{name}じゃないか…」",
    u"「おにいちゃん…なんでいきなり出ていったのよ…",
    u"すごく心配したんだから…　おうちかえろっ」",
    u"「う…え…あ…そうだな…帰ろうか…（汗」",
    u"「ふふふ。もう離さないんだからっ♪」",
    u"",
    u"",
    u"",
    u"で･･数日後…",
    u"「おにいちゃんどこいったの～～？？」",
    u"{name}、春ウサギの置手紙を見つける。",
    u"俺は旅に出る。後はヨロシクなっ！！",
    u"{name}、帰ったらまた遊ぼうな",
    u"「・・・・・・またおにいちゃんがぁ～～～！！」",
    u"親に報告しに行く{name}であった…",
};
const char16_t* const kStaffCredits[] = {
    u"おめでとう！！",
    u"まさかあなたがここまでするとは思わなかった････",
    u"いやー、拍手拍手、パチパチパチ！(^O^)",
    u"では、スタッフ紹介といきたいのですが････",
    u"シナリオ・イラスト・パラメータ等････",
    u"ぜーんぶ　私　ぽむる　ぺけた　です。",
    u"ここまで作るので結構かかっちゃったんです",
    u"それから････このゲームをやってくれた皆さんに････",
    u"ＴＨＡＮＫ　ＹＯＵ　ＦＯＲ　ＰＬＡＹＩＮＧ　ＧＡＭＥ！！",
    u"",
    u"ありがとうございましたー！",
    u"",
    u"ＰＲＯＤＵＣＥＤ　ＢＹ　モフリンＧＰ 開発チーム",
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
QString joinLines(const char16_t* const (&lines)[N], const QString& name) {
  QStringList joined;
  for (const char16_t* line : lines) joined << QString::fromUtf16(line).replace(kNameMark, name);
  return joined.join(newLine);
}

QString tallyText(const GameState& g) {
  return QStringLiteral("戦った回数：") + decimal(qint64(g.bouts) + 1) + newLine + QStringLiteral("白星    ") +
         decimal(g.wins) + QStringLiteral("/") + decimal(qint64(g.losses) + kWinLeadToClear) + newLine +
         QStringLiteral("黒星    ") + decimal(g.losses);
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
  Command1.onClick = [this] { Command1_Click(); };
}

void Form7::layOut() {
  setCaption(QStringLiteral("メッセージBOX"));
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
  Text1.setAccessibleName(QStringLiteral("メッセージ"));
  Command1.setCaption(QStringLiteral("元に戻る"));
  Command1.setGeometry(3840, 5250, 2400, 540);
  Command1.setFont({11, true});
  setInitialFocus(&Command1);
}

void Form7::Form_Load() {
  const GameState& g = game();
  messageCase = situationOf(g);
  const Situation& situation = kSituations[messageCase];
  if (situation.picture >= 0) GAZO.setPicture(Image1[situation.picture].picture());
  GAZO.setAccessibleName(messageCase >= kFirstEnding ? QStringLiteral("エンディングの絵") : QStringLiteral("物語の絵"));
  Text1.setText(storyText(situation.story, g));
  if (messageCase >= kFirstEnding) grade();
}

// The rank goes by the bouts counted when the screen opens; a rank letter
// instead of "？" ends the run's milestones and endings for good.
void Form7::grade() {
  GameState& g = game();
  g.rankText = rankFor(g.bouts);
  g.unsavedProgress = true;
  Text1.setText(Text1.text() + newLine + QStringLiteral("RANK--") + g.rankText);
  // The player reads the ending and the rank before the question.
  ctx.forms.show(kName);
  if (msgBox(QStringLiteral("殿堂システムに記録しますか？"), Buttons::YesNo) == Answer::Yes) OUZYA(ctx);
}

void Form7::Command1_Click() { handOverTo<Form4>(); }

}  // namespace mofurin
