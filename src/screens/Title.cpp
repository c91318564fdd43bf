#include "screens/Title.h"

#include "persist/HallOfFame.h"
#include "screens/SaveFlow.h"

namespace mofurin {

Form2::Form2(GameContext& ctx) : Screen(ctx, kName) {
  layOut();
  showTexts();
  o1.onClick = [this] { o1_Click(); };
  o2.onClick = [this] { o2_Click(); };
  o3.onClick = [this] { o3_Click(); };
  mnuSettings.onClick = [this] { this->ctx.forms.show(screen::Settings); };
  mnuHelpHint.onClick = [this] { this->ctx.platform.showHelp(helpTopic()); };
  mnuReplay.onClick = [this] { mnuReplay_Click(); };
}

void Form2::layOut() {
  setSize(7200, 5400);
  setBackColor(rgb(16, 16, 48));
  setHelpTopic(QStringLiteral("title"));

  Image1.setGeometry(0, 0, 7200, 5400);
  Image1.setStretch(true);
  Image1.setPicture({QStringLiteral("title.png")});

  Label2.setGeometry(300, 360, 6600, 900);
  Label2.setFont({30, true});
  Label2.setAlignment(Align::Centre);
  Label2.setTransparent(true);
  Label2.setForeColor(rgb(255, 236, 120));

  Label1.setGeometry(300, 1290, 6600, 400);
  Label1.setFont({12, true});
  Label1.setAlignment(Align::Centre);
  Label1.setTransparent(true);
  Label1.setForeColor(rgb(255, 255, 255));

  Label3.setGeometry(300, 4980, 6600, 300);
  Label3.setFont({9, false});
  Label3.setAlignment(Align::Centre);
  Label3.setTransparent(true);
  Label3.setForeColor(rgb(200, 200, 230));

  for (MenuItem* item : {&o1, &o2, &mnuSettings, &mnuReplay, &o3}) item->setParent(&mnuMenu);
  mnuHelpHint.setParent(&mnuHelp);
  setInitialFocus(&o1);
}

void Form2::showTexts() {
  setCaption(tr("オープニング"));
  Image1.setAccessibleName(tr("タイトルの絵"));
  Label2.setCaption(tr("モフリン　ＧＰ"));
  Label1.setCaption(tr("アレと似てるなんて言わないでの章"));
  Label3.setCaption(tr("制作　モフリンＧＰ開発チーム　２０２６"));
  mnuMenu.setCaption(tr("メニュー"));
  o1.setCaption(tr("はじめから"));
  o2.setCaption(tr("ロード"));
  mnuSettings.setCaption(tr("設定…"));
  o3.setCaption(tr("終了"));
  mnuReplay.setCaption(tr("リプレイを見る…"));
  mnuHelp.setCaption(tr("へるぷ"));
  mnuHelpHint.setCaption(tr("Ｆ１キーを押してみてください"));
}

void Form2::Form_Load() {
  ctx.link.clearInbox();
  GameState& g = game();
  if (g.startupDone) return;
  g.startupDone = true;
  g.unsavedProgress = false;  // nothing on the title can be carried on
  g.levels[Side::Opponent] = 1;
  g.wins = 0;
  g.bouts = 0;
  g.losses = 0;
  LoadHallOfFame(g, ctx.workingFile(kHallOfFameFile));
}

void Form2::o1_Click() {
  GameState& g = game();
  g.levels[Side::Player] = 1;
  g.messageSpeed = 300;
  g.attackAnimation = 1;
  ctx.random.seedFromClock();
  g.money = 100;
  g.unsavedProgress = false;
  Answer mode = Answer::No;
  if (hallOfFameHasEntry(g)) {
    mode = msgBox(tr("一度クリアしたので好きなキャラが選べます\r\n全員集合モードで遊びますか？"), Buttons::YesNo);
  }
  g.rankText = QStringLiteral("？");
  if (mode == Answer::Yes) {
    handOverTo(screen::Roster);
    return;
  }
  g.levels[Side::Player] = 1;
  g.levels[Side::Opponent] = 1;
  handOverTo(screen::Starters);
}

void Form2::o2_Click() {
  // A load that read nothing leaves the title screen where it is: the game
  // state has no fighter to show on the hub.
  if (Load(ctx) != LoadResult::Loaded) return;
  handOverTo(screen::Hub);
}

void Form2::mnuReplay_Click() { ctx.forms.show(screen::Replays); }

void Form2::o3_Click() {
  if (!ctx.playerMayEnd()) return;
  msgBox(tr("また会おう"), Buttons::OK, tr("おわる"));
  ctx.end();
}

}  // namespace mofurin
