#include "screens/Hub.h"

#include "battle/BattleTexts.h"
#include "battle/OpponentBuilders.h"
#include "game/Numbers.h"
#include "game/Roster.h"
#include "game/Techniques.h"
#include "screens/HostFinder.h"
#include "screens/LinkWindow.h"
#include "screens/SaveFlow.h"
#include "screens/Shop.h"

namespace mofurin {

namespace {

constexpr Side P = Side::Player;
constexpr int kSpeedMin = 1;
constexpr int kSpeedMax = 400;

}  // namespace

Form4::Form4(GameContext& ctx) : Screen(ctx, kName) {
  layOut();
  showTexts();
  Timer1.onTimer = [this] { Timer1_Timer(); };
  Timer1.setMirrorsState(true);
  SPEED.onChange = [this] { SPEED_Change(); };
  Check1.onClick = [this] { Check1_Click(); };
  Check2.onClick = [this] { Check2_Click(); };
  Command2.onClick = [this] { Command2_Click(); };
  Invite.onClick = [this] { Invite_Click(); };
  Command3.onClick = [this] { Command3_Click(); };
  BATTLE.onClick = [this] { BATTLE_Click(); };
  TRAI.onClick = [this] { TRAI_Click(); };
  HPUP.onClick = [this] { HPUP_Click(); };
  SEVE.onClick = [this] { SEVE_Click(); };
  tabi.onClick = [this] { tabi_Click(); };
  Command4.onClick = [this] { Command4_Click(); };
  Label2.forEach([this](int, Label& label) { label.onClick = [this] { Label2_Click(); }; });
  remembersCommands();
}

// The hub is made afresh after a bout or the hall of fame, so the command
// the player used is kept with the game, not with the screen.
void Form4::remembersCommands() {
  for (Button* b : {&BATTLE, &TRAI, &HPUP, &SEVE, &tabi, &Command4, &Command3, &Command2}) {
    b->onClick = [this, b, click = std::move(b->onClick)] {
      ctx.lastHubCommand = b->name();
      click();
    };
  }
}

Button& Form4::lastCommand() {
  auto* used = static_cast<Button*>(findWidget(ctx.lastHubCommand, -1));
  return used ? *used : BATTLE;
}

void Form4::layOut() {
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
  Label2[2].setGeometry(3900, 1770, 2900, 300);
  WINNER.setGeometry(3480, 2130, 3300, 930);
  WINNER.setFont({11, false});
  WINNER.setBorder(true);
  WINNER.setBackColor(rgb(255, 255, 250));
  Label1[1].setGeometry(3480, 3180, 3300, 270);
  WAZA.setGeometry(3480, 3450, 3300, 360);
  WAZA.setLabelledBy(&Label1[1]);
  Label1[2].setCaption(tr("HP消費量--0"));
  Label1[2].setGeometry(3480, 3840, 3300, 270);
  Label2[0].setGeometry(3480, 4290, 3300, 270);
  const char16_t* strengths[] = {u"HARD", u"NORMAL", u"EASY"};
  for (int i = 0; i < 3; ++i) {
    STRIN[i].setCaption(QString::fromUtf16(strengths[i]));
    STRIN[i].setGeometry(3480 + i * 1110, 4590, 1080, 300);
  }
  STRIN[1].setSelected(true);
  Label2[1].setCaption(tr("メッセージスピード"));
  Label2[1].setGeometry(3480, 5070, 3300, 270);
  SPEED.setGeometry(3480, 5370, 3300, 270);
  SPEED.setRange(kSpeedMin, kSpeedMax);
  SPEED.setSteps(1, 20);
  Check1.setGeometry(3480, 5790, 3300, 300);
  for (Label* l : {&Label2[2], &Label1[1], &Label1[2], &Label2[0], &Label2[1]}) l->setTransparent(true);
  for (Label* l : {&Label2[2], &Label2[0], &Label2[1]}) l->setFont({9, true});
}

void Form4::layOutCommands() {
  Frame1.setGeometry(6960, 120, 3300, 4020);
  int top = 360;
  for (Button* button : {&BATTLE, &TRAI, &HPUP, &SEVE, &tabi, &Command4}) {
    button->setParent(&Frame1);
    button->setGeometry(210, top, 2880, 510);
    button->setFont({11, true});
    top += 600;
  }
}

void Form4::layOutNetwork() {
  Frame2.setGeometry(6960, 4260, 3300, 2520);
  Check2.setParent(&Frame2);
  Check2.setGeometry(210, 330, 1100, 300);
  Invite.setParent(&Frame2);
  Invite.setGeometry(1380, 290, 1710, 380);
  Invite.setFont({8, false});
  Text1.setParent(&Frame2);
  Text1.setGeometry(210, 690, 2040, 360);
  Command3.setParent(&Frame2);
  Command3.setGeometry(2310, 690, 780, 360);
  Command2.setParent(&Frame2);
  Command2.setGeometry(210, 1140, 2880, 480);
  Label3.setParent(&Frame2);
  Label3.setGeometry(210, 1680, 2880, 780);
  Label3.setFont({8, false});
  Label3.setTransparent(true);
  // The bottom line says how the link stands: room for two lines of it.
  Command1.setGeometry(3480, 6840, 6780, 600);
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
  ctx.forms.load<Form11>();
  ctx.onLinkNews = [this] { showLinkNews(); };
  loaded_ = true;
  showTexts();
  // A friend's code serves one bout: after it, the empty box waits for the
  // next one rather than the button that would try nothing.
  const bool codeUsed = &lastCommand() == &Command2 && Text1.text().isEmpty() && !Check2.checked();
  setInitialFocus(codeUsed ? static_cast<platform::Widget*>(&Text1) : &lastCommand());
}

void Form4::comeBack() {
  setEnabled(true);
  focusOn(lastCommand());
}

void Form4::showTexts() {
  setCaption(tr("ステータス"));
  CoinPicture.setAccessibleName(tr("コイン"));
  TrophyPicture.setAccessibleName(tr("トロフィー"));
  Label2[2].setCaption(tr("勝敗成績(トーナメント)"));
  Label1[1].setCaption(tr("必殺技MAX8"));
  Label2[0].setCaption(tr("ダミーの強さ"));
  SPEED.setAccessibleName(tr("メッセージスピード"));  // its label shows the value too
  Check1.setCaption(tr("攻撃アクションの有無"));
  Frame1.setCaption(tr("コマンド"));
  Frame2.setCaption(tr("ネットバトル"));
  Check2.setCaption(tr("ホスト"));
  Text1.setAccessibleName(tr("ホストのIP"));
  Text1.setHint(tr("IPか招待コード"));
  Command3.setCaption(tr("さがす"));
  Command2.setCaption(tr("ネットバトル"));
  Invite.setCaption(tr("招待コードを作る"));
  Command1.setCaption(tr("ヘルプコマンド・・・・・Ｆ１で見れるよ"));
  const std::pair<Button*, QString> buttons[] = {{&BATTLE, tr("トーナメント")}, {&TRAI, tr("ダミーと対決")},
                                                 {&HPUP, tr("ＨＰ回復")},       {&SEVE, tr("ＳＡＶＥ")},
                                                 {&tabi, tr("殿堂部屋")},       {&Command4, tr("リセット")}};
  for (auto [button, caption] : buttons) button->setCaption(caption);
  if (!loaded_) return;
  const int picked = WAZA.listIndex();
  YOUHYO();
  WAZA.setListIndex(picked);
  showSpeed();
  showLinkNews();
}

// A link that lives on from the last bout says how it stands, and what it
// holds while it runs.
void Form4::showLinkNews() {
  if (!ctx.linkNews.status.isEmpty()) Command1.setCaption(ctx.linkNews.status);
  HPUP.setEnabled(!ctx.linkNews.fighterHeld);
  showRoleHeld(ctx.networkBout.roleHeld());
}

void Form4::showRoleHeld(bool held) {
  Check2.setEnabled(!held);
  QString text =
      tr("詳しくはヘルプで…ホストのIPを記入してね\r\n自分のIP：%1").arg(ctx.platform.network().localAddress());
  if (held) text += newLine + tr("接続中はホストを変えられません");
  Label3.setCaption(text);
}

// A hub that went with the end of the program never unloaded; one that
// unloaded may already have a successor listening.
Form4::~Form4() {
  if (loaded_) ctx.onLinkNews = nullptr;
}

void Form4::Form_Unload() {
  ctx.onLinkNews = nullptr;
  loaded_ = false;
  if (!ctx.battle.networkBattle) ctx.forms.close(screen::Link);
}

void Form4::Command2_Click() { ctx.forms.find<Form11>()->startLink(Text1.text(), Check2.checked()); }

// Without a meeting place there is nowhere to wait for a friend: the player
// is told where to set one.
void Form4::Invite_Click() {
  if (ctx.internet.meetingPlace.trimmed().isEmpty()) {
    msgBox(
        tr("インターネット対戦には待ち合わせ場所のサーバーが要ります。\r\n"
           "タイトル画面の「設定」で、待ち合わせ場所（mqtt://…）を入れてください。"));
    return;
  }
  ctx.forms.find<Form11>()->invite();
}

void Form4::Command3_Click() {
  setEnabled(false);
  FormHosts& finder = ctx.forms.show<FormHosts>();
  finder.onClosed = [&ctx = ctx] {
    if (Form4* hub = ctx.forms.find<Form4>()) hub->comeBack();
  };
  finder.onPicked = [&ctx = ctx](const QString& address) {
    if (Form4* hub = ctx.forms.find<Form4>()) {
      hub->Text1.setText(address);
      hub->Check2.setChecked(false);  // a guest of that host
    }
  };
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
  LIFE3.setCaption(tr("生命力　%1/%2").arg(decimal(g.lifeForce), decimal(g.lifeForceMax)));
  refreshLifeBar();
  WAZA.clear();
  for (int k = 0; k < kSlotCount; ++k) WAZA.addItem(techniqueForDisplay(g.techniqueNames(k, P)));
  MYNA.setCaption(tr("Lv.%1　%2").arg(decimal(g.levels[P]), fighterForDisplay(g.fighterName[P])));
  QString status = tr("ステータス") + newLine;
  for (int p = 0; p < kPartCount; ++p) {
    status += partLabel(p) + newLine;
    status += tr("残りHP　%1").arg(decimal(g.partHp(p, P))) + newLine;
    status += tr("攻撃力　%1").arg(decimal(g.partAttack(p, P))) + newLine;
    status += tr("防御力　%1").arg(decimal(g.partDefence(p, P))) + newLine;
  }
  MYST.setCaption(status);
  MOTIG.setCaption(tr("所持金　%1\\").arg(decimal(g.money)));
  WINNER.setCaption(tr("登板数 %1\r\n白星    %2/%3\r\n黒星    %4")
                        .arg(decimal(g.bouts), decimal(g.wins), decimal(qint64(g.losses) + 40), decimal(g.losses)));
  MYGA.setPicture({RosterPicture(g.characterIndex[P], Facing::Front)});
  MYGA.setAccessibleName(fighterForDisplay(RosterName(g.characterIndex[P])));
  Label2[3].setCaption(tr("ＲＡＮＫ---%1").arg(rankForDisplay(g.rankText)));
}

void Form4::Timer1_Timer() {
  if (const auto caption = shownCost(game(), P, WAZA.text()).caption) Label1[2].setCaption(*caption);
}

void Form4::SPEED_Change() {
  if (game().messageSpeed != SPEED.value()) game().unsavedProgress = true;
  game().messageSpeed = SPEED.value();
  showSpeed();
}

void Form4::showSpeed() { Label2[1].setCaption(tr("メッセージスピード%1").arg(decimal(game().messageSpeed))); }

bool Form4::refusedInClosingStretch() {
  if (!closingStretch(game())) return false;
  msgBox(tr("３８回戦目からは使えないことになっています。"));
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
  // The hub may be made anew while the shop is open: the one open then hears.
  ctx.forms.show<Form5>().onClosed = [&ctx = ctx] {
    if (Form4* hub = ctx.forms.find<Form4>()) {
      hub->YOUHYO();
      hub->comeBack();
    }
  };
}

void Form4::SEVE_Click() {
  if (Save(ctx) == SaveResult::Saved) msgBox(tr("SAVEが終わりました。"));
  YOUHYO();
}

void Form4::tabi_Click() { handOverTo(screen::HallOfFame); }

void Form4::Command4_Click() {
  // Progress a save would keep is lost on the title, as it is when the game
  // ends: the question says so first.
  QString question = tr("タイトルに戻ります。いい？");
  if (game().unsavedProgress) question = tr("セーブしていないデータは消えてしまいます。") + newLine + question;
  if (msgBox(question, Buttons::YesNo) != Answer::Yes) return;
  game().startupDone = false;
  handOverTo(screen::Title);
}

void Form4::Label2_Click() {
  GameState& g = game();
  msgBox(tr("よく発見しました。\r\nここが謎のウラ技です！"));
  msgBox(tr("ここを見つけたあなたには命の素を\r\n1000Ｇであげちゃいます。"));
  if (g.lifeForce < g.lifeForceMax) {
    if (msgBox(tr("1000Ｇで買います？"), Buttons::YesNo) == Answer::Yes) {
      if (g.money >= 1000) {
        g.lifeForce += 1;
        g.money -= 1000;
        g.unsavedProgress = true;
        msgBox(tr("毎度ー！"));
      } else {
        msgBox(tr("あら、金欠ですか？\r\nでは、また今度。"));
      }
    }
  } else {
    msgBox(tr("でも、あなたには必要ないっスね"));
  }
  msgBox(tr("バイバーイ"));
  YOUHYO();
}

void Form4::BATTLE_Click() {
  ctx.forms.close(screen::Battle);
  buildTournamentOpponent(game(), ctx.random);
  game().battleKind = kTournamentBout;
  handOverTo(screen::Battle);
}

void Form4::TRAI_Click() {
  ctx.forms.close(screen::Battle);
  if (refusedInClosingStretch()) return;
  DummyStrength strength = DummyStrength::Normal;
  for (int i = 0; i < 3; ++i) {
    if (STRIN[i].selected()) strength = static_cast<DummyStrength>(i);
  }
  buildTrainingDummy(game(), strength);
  game().battleKind = kTrainingOrNetworkBout;
  handOverTo(screen::Battle);
}

}  // namespace mofurin
