#include "screens/Hub.h"

#include "battle/BattleTexts.h"
#include "battle/OpponentBuilders.h"
#include "game/Numbers.h"
#include "game/Roster.h"
#include "game/Techniques.h"
#include "screens/BattleScreen.h"
#include "screens/HallOfFameScreen.h"
#include "screens/HostFinder.h"
#include "screens/LinkWindow.h"
#include "screens/SaveFlow.h"
#include "screens/Shop.h"
#include "screens/Title.h"

namespace mofurin {

namespace {

constexpr Side P = Side::Player;
constexpr int kSpeedMin = 1;
constexpr int kSpeedMax = 400;

}  // namespace

Form4::Form4(GameContext& ctx) : Screen(ctx, kName) {
  layOut();
  Timer1.onTimer = [this] { Timer1_Timer(); };
  Timer1.setMirrorsState(true);
  SPEED.onChange = [this] { SPEED_Change(); };
  Check1.onClick = [this] { Check1_Click(); };
  Check2.onClick = [this] { Check2_Click(); };
  Command2.onClick = [this] { Command2_Click(); };
  Command3.onClick = [this] { Command3_Click(); };
  BATTLE.onClick = [this] { BATTLE_Click(); };
  TRAI.onClick = [this] { TRAI_Click(); };
  HPUP.onClick = [this] { HPUP_Click(); };
  SEVE.onClick = [this] { SEVE_Click(); };
  tabi.onClick = [this] { tabi_Click(); };
  Command4.onClick = [this] { Command4_Click(); };
  Label2.forEach([this](int, Label& label) { label.onClick = [this] { Label2_Click(); }; });
}

void Form4::layOut() {
  setCaption(QStringLiteral("ステータス"));
  setSize(10440, 7500);
  setBackColor(rgb(246, 241, 226));
  setHelpTopic(QStringLiteral("hub"));
  layOutStatus();
  layOutRecord();
  layOutCommands();
  layOutNetwork();
}

void Form4::layOutStatus() {
  MYGA.setGeometry(180, 180, 1440, 1440);
  MYGA.setStretch(true);
  MYGA.setBorder(true);
  MYGA.setBackColor(rgb(255, 255, 255));
  MYNA.setGeometry(1740, 240, 5000, 420);
  MYNA.setFont({13, true});
  Label2[3].setCaption(QStringLiteral("RANK"));
  Label2[3].setGeometry(1740, 720, 2400, 300);
  Label2[3].setFont({11, true});
  Label2[3].setForeColor(rgb(150, 60, 0));
  CoinPicture.setGeometry(1740, 1110, 360, 360);
  CoinPicture.setPicture({QStringLiteral("deco_coin.png")});
  CoinPicture.setAccessibleName(QStringLiteral("コイン"));
  MOTIG.setGeometry(2160, 1140, 3000, 330);
  MOTIG.setFont({11, false});
  LIFE3.setGeometry(180, 1740, 3000, 300);
  LIFE3.setFont({11, false});
  LIFE1.setGeometry(180, 2070, 3000, 210);
  LIFE1.setBackColor(rgb(70, 60, 60));
  LIFE1.setForeColor(rgb(30, 20, 20));
  LIFE2.setGeometry(180, 2070, 3000, 210);
  LIFE2.setBackColor(rgb(236, 70, 90));
  MYST.setGeometry(180, 2430, 3000, 4800);
  MYST.setFont({10, false});
  MYST.setBorder(true);
  MYST.setBackColor(rgb(255, 255, 250));
  for (Label* l : {&MYNA, &MOTIG, &LIFE3, &Label2[3]}) l->setTransparent(true);
}

void Form4::layOutRecord() {
  TrophyPicture.setGeometry(3480, 1710, 360, 360);
  TrophyPicture.setPicture({QStringLiteral("deco_trophy.png")});
  TrophyPicture.setAccessibleName(QStringLiteral("トロフィー"));
  Label2[2].setCaption(QStringLiteral("勝敗成績(トーナメント)"));
  Label2[2].setGeometry(3900, 1770, 2900, 300);
  WINNER.setGeometry(3480, 2130, 3300, 930);
  WINNER.setFont({11, false});
  WINNER.setBorder(true);
  WINNER.setBackColor(rgb(255, 255, 250));
  Label1[1].setCaption(QStringLiteral("必殺技MAX8"));
  Label1[1].setGeometry(3480, 3180, 3300, 270);
  WAZA.setGeometry(3480, 3450, 3300, 360);
  WAZA.setLabelledBy(&Label1[1]);
  Label1[2].setCaption(QStringLiteral("HP消費量--0"));
  Label1[2].setGeometry(3480, 3840, 3300, 270);
  Label2[0].setCaption(QStringLiteral("ダミーの強さ"));
  Label2[0].setGeometry(3480, 4290, 3300, 270);
  const char16_t* strengths[] = {u"HARD", u"NORMAL", u"EASY"};
  for (int i = 0; i < 3; ++i) {
    STRIN[i].setCaption(QString::fromUtf16(strengths[i]));
    STRIN[i].setGeometry(3480 + i * 1110, 4590, 1080, 300);
  }
  STRIN[1].setSelected(true);
  Label2[1].setCaption(QStringLiteral("メッセージスピード"));
  Label2[1].setGeometry(3480, 5070, 3300, 270);
  SPEED.setGeometry(3480, 5370, 3300, 270);
  SPEED.setRange(kSpeedMin, kSpeedMax);
  SPEED.setSteps(1, 20);
  SPEED.setAccessibleName(QStringLiteral("メッセージスピード"));  // its label shows the value too
  Check1.setCaption(QStringLiteral("攻撃アクションの有無"));
  Check1.setGeometry(3480, 5790, 3300, 300);
  for (Label* l : {&Label2[2], &Label1[1], &Label1[2], &Label2[0], &Label2[1]}) l->setTransparent(true);
  for (Label* l : {&Label2[2], &Label2[0], &Label2[1]}) l->setFont({9, true});
}

void Form4::layOutCommands() {
  Frame1.setCaption(QStringLiteral("コマンド"));
  Frame1.setGeometry(6960, 120, 3300, 4020);
  const std::pair<Button*, const char16_t*> buttons[] = {{&BATTLE, u"トーナメント"}, {&TRAI, u"ダミーと対決"},
                                                         {&HPUP, u"ＨＰ回復"},       {&SEVE, u"ＳＡＶＥ"},
                                                         {&tabi, u"殿堂部屋"},       {&Command4, u"リセット"}};
  int top = 360;
  for (auto [button, caption] : buttons) {
    button->setParent(&Frame1);
    button->setCaption(QString::fromUtf16(caption));
    button->setGeometry(210, top, 2880, 510);
    button->setFont({11, true});
    top += 600;
  }
}

void Form4::layOutNetwork() {
  Frame2.setCaption(QStringLiteral("ネットバトル"));
  Frame2.setGeometry(6960, 4260, 3300, 2520);
  Check2.setParent(&Frame2);
  Check2.setCaption(QStringLiteral("ホスト"));
  Check2.setGeometry(210, 330, 1500, 300);
  Text1.setParent(&Frame2);
  Text1.setGeometry(210, 690, 2040, 360);
  Text1.setAccessibleName(QStringLiteral("ホストのIP"));
  Command3.setParent(&Frame2);
  Command3.setCaption(QStringLiteral("さがす"));
  Command3.setGeometry(2310, 690, 780, 360);
  Command2.setParent(&Frame2);
  Command2.setCaption(QStringLiteral("ネットバトル"));
  Command2.setGeometry(210, 1140, 2880, 480);
  Label3.setParent(&Frame2);
  Label3.setGeometry(210, 1680, 2880, 780);
  Label3.setFont({8, false});
  Label3.setTransparent(true);
  Command1.setCaption(QStringLiteral("ヘルプコマンド・・・・・Ｆ１で見れるよ"));
  Command1.setGeometry(3480, 6900, 6780, 450);
}

void Form4::Form_Load() {
  GameState& g = game();
  YOUHYO();
  // An edited save file may hold a speed the bar cannot show: it is brought
  // into the bar's range, and the change handler stores it back.
  g.messageSpeed = std::clamp(g.messageSpeed, kSpeedMin, kSpeedMax);
  SPEED.setValue(g.messageSpeed);
  showSpeed();
  Check1.setChecked(g.attackAnimation == 1);
  Check2.setChecked(ctx.link.isHost);
  Text1.setText(ctx.link.peerAddress);
  // The link window lives beside the hub, unseen until a network bout.
  Form11& link = ctx.forms.load<Form11>();
  Label3.setCaption(QStringLiteral("詳しくはヘルプで…ホストのIPを記入してね") + newLine + QStringLiteral("自分のIP：") +
                    link.ownAddress());
  // A link that lives on from the last bout says how it stands.
  if (!link.status().isEmpty()) Command1.setCaption(link.status());
}

void Form4::Form_Unload() {
  if (!ctx.battle.networkBattle) ctx.forms.close<Form11>();
}

void Form4::Command2_Click() { ctx.forms.find<Form11>()->startLink(Text1.text(), Check2.checked()); }

void Form4::Command3_Click() {
  setEnabled(false);
  ctx.forms.show<FormHosts>();
}

void Form4::refreshLifeBar() {
  const GameState& g = game();
  double width = 0;
  // A maximum of 0 (only an unfinished load leaves one) draws an empty bar.
  if (g.lifeForceMax > 0) width = static_cast<double>(LIFE1.width()) / g.lifeForceMax * g.lifeForce;
  LIFE2.setWidth(roundHalfEven(std::clamp(width, 0.0, static_cast<double>(LIFE1.width()))));
  LIFE2.setVisible(LIFE2.width() > 0);
}

void Form4::YOUHYO() {
  GameState& g = game();
  LIFE3.setCaption(QStringLiteral("生命力　") + decimal(g.lifeForce) + u'/' + decimal(g.lifeForceMax));
  refreshLifeBar();
  WAZA.clear();
  for (int k = 0; k < kSlotCount; ++k) WAZA.addItem(g.techniqueNames(k, P));
  MYNA.setCaption(QStringLiteral("Lv.") + decimal(g.levels[P]) + QStringLiteral("　") + g.fighterName[P]);
  QString status = QStringLiteral("ステータス") + newLine;
  for (int p = 0; p < kPartCount; ++p) {
    status += partLabel(p) + newLine;
    status += QStringLiteral("残りHP　") + decimal(g.partHp(p, P)) + newLine;
    status += QStringLiteral("攻撃力　") + decimal(g.partAttack(p, P)) + newLine;
    status += QStringLiteral("防御力　") + decimal(g.partDefence(p, P)) + newLine;
  }
  MYST.setCaption(status);
  MOTIG.setCaption(QStringLiteral("所持金　") + decimal(g.money) + u'\\');
  WINNER.setCaption(QStringLiteral("登板数 ") + decimal(g.bouts) + newLine + QStringLiteral("白星    ") +
                    decimal(g.wins) + u'/' + decimal(qint64(g.losses) + 40) + newLine + QStringLiteral("黒星    ") +
                    decimal(g.losses));
  MYGA.setPicture({RosterPicture(g.characterIndex[P], Facing::Front)});
  MYGA.setAccessibleName(RosterName(g.characterIndex[P]));
  Label2[3].setCaption(QStringLiteral("ＲＡＮＫ---") + g.rankText);
}

void Form4::Timer1_Timer() {
  if (const auto caption = shownCost(game(), P, WAZA.text()).caption) Label1[2].setCaption(*caption);
}

void Form4::SPEED_Change() {
  if (game().messageSpeed != SPEED.value()) game().unsavedProgress = true;
  game().messageSpeed = SPEED.value();
  showSpeed();
}

void Form4::showSpeed() { Label2[1].setCaption(QStringLiteral("メッセージスピード") + decimal(game().messageSpeed)); }

bool Form4::refusedInClosingStretch() {
  if (!closingStretch(game())) return false;
  msgBox(QStringLiteral("３８回戦目からは使えないことになっています。"));
  return true;
}

void Form4::Check1_Click() {
  const qint32 animation = Check1.checked() ? 1 : 0;
  if (game().attackAnimation != animation) game().unsavedProgress = true;
  game().attackAnimation = animation;
}

void Form4::Check2_Click() { ctx.link.isHost = Check2.checked(); }

void Form4::HPUP_Click() {
  if (refusedInClosingStretch()) return;
  setEnabled(false);
  ctx.forms.show<Form5>();
}

void Form4::SEVE_Click() {
  if (Save(ctx) == SaveResult::Saved) msgBox(QStringLiteral("SAVEが終わりました。"));
  YOUHYO();
}

void Form4::tabi_Click() { handOverTo<Form9>(); }

void Form4::Command4_Click() {
  if (msgBox(QStringLiteral("タイトルに戻ります。いい？"), Buttons::YesNo) != Answer::Yes) return;
  game().startupDone = false;
  handOverTo<Form2>();
}

void Form4::Label2_Click() {
  GameState& g = game();
  msgBox(QStringLiteral("よく発見しました。") + newLine + QStringLiteral("ここが謎のウラ技です！"));
  msgBox(QStringLiteral("ここを見つけたあなたには命の素を") + newLine + QStringLiteral("1000Ｇであげちゃいます。"));
  if (g.lifeForce < g.lifeForceMax) {
    if (msgBox(QStringLiteral("1000Ｇで買います？"), Buttons::YesNo) == Answer::Yes) {
      if (g.money >= 1000) {
        g.lifeForce += 1;
        g.money -= 1000;
        g.unsavedProgress = true;
        msgBox(QStringLiteral("毎度ー！"));
      } else {
        msgBox(QStringLiteral("あら、金欠ですか？") + newLine + QStringLiteral("では、また今度。"));
      }
    }
  } else {
    msgBox(QStringLiteral("でも、あなたには必要ないっスね"));
  }
  msgBox(QStringLiteral("バイバーイ"));
  YOUHYO();
}

void Form4::BATTLE_Click() {
  ctx.forms.close<Form1>();
  buildTournamentOpponent(game(), ctx.random);
  game().battleKind = 1;
  handOverTo<Form1>();
}

void Form4::TRAI_Click() {
  ctx.forms.close<Form1>();
  if (refusedInClosingStretch()) return;
  DummyStrength strength = DummyStrength::Normal;
  for (int i = 0; i < 3; ++i) {
    if (STRIN[i].selected()) strength = static_cast<DummyStrength>(i);
  }
  buildTrainingDummy(game(), strength);
  game().battleKind = 2;
  handOverTo<Form1>();
}

}  // namespace mofurin
