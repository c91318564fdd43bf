#include "screens/HallOfFameScreen.h"

#include <optional>

#include "game/Numbers.h"
#include "game/Roster.h"
#include "persist/HallOfFame.h"
#include "screens/SaveFlow.h"

namespace mofurin {

namespace {

constexpr Side P = Side::Player;
const QString kBackground = QStringLiteral("hall_background.png");
constexpr platform::Colour kGold = rgb(255, 215, 80);
constexpr platform::Colour kPlaque = rgb(60, 36, 12);

enum Field { kNameField = 0, kCharacterField = 1, kRankField = 2 };

// The character an entry names, when its field spells a roster index.
std::optional<int> characterOf(const QString& field) {
  bool ok = false;
  const int index = field.trimmed().toInt(&ok);
  if (!ok || !isRosterIndex(index)) return std::nullopt;
  return index;
}

// The first free entry; when all are taken, the last champion gives way.
int entryForNewChampion(const GameState& g) {
  for (int e = 1; e <= kHallOfFameEntries; ++e) {
    if (g.hallOfFame[e][kNameField].isEmpty()) return e;
  }
  return kHallOfFameEntries;
}

// kiro.txt is replaced as a whole; when that fails the old file stays, and
// the player hears of it.
bool writeHallOfFame(GameContext& ctx) {
  if (SaveHallOfFame(ctx.game, ctx.workingFile(kHallOfFameFile))) return true;
  ctx.msgBox(
      QCoreApplication::translate("Form9", "殿堂データ（%1）を書き込めませんでした。\r\nファイルは前のままです。")
          .arg(kHallOfFameFile));
  return false;
}

}  // namespace

void OUZYA(GameContext& ctx) {
  GameState& g = ctx.game;
  g.hallOfFame[entryForNewChampion(g)] = {g.fighterName[P], decimal(g.characterIndex[P]), g.rankText};
  if (!writeHallOfFame(ctx)) return;
  Save(ctx);
}

Form9::Form9(GameContext& ctx) : Screen(ctx, kName) {
  layOut();
  showStaticTexts();
  Scroll1.onChange = [this] { HOUZI(); };
  Command1.onClick = [this] { Command1_Click(); };
  Command2.onClick = [this] { Command2_Click(); };
}

void Form9::layOut() {
  setSize(6000, 4500);
  setBackColor(rgb(40, 30, 10));
  setHelpTopic(QStringLiteral("fame"));
  Backdrop.setGeometry(0, 0, 6000, 4500);
  Backdrop.setPicture({kBackground});
  Label1.setGeometry(1200, 120, 3600, 480);
  Label1.setFont({16, true});
  Label1.setAlignment(Align::Centre);
  Label1.setForeColor(kGold);
  Label1.setBackColor(rgb(120, 30, 40));
  for (PictureBox* box : {&USI, &MA}) {
    box->setStretch(true);
    box->setBorder(true);
    box->setBackColor(rgb(255, 250, 235));
  }
  USI.setGeometry(1440, 840, 1440, 1440);
  MA.setGeometry(3120, 840, 1440, 1440);
  Label2.setCaption(tr("　１代目チャンピオン　"));
  Label2.setGeometry(600, 2460, 4800, 660);
  Label2.setFont({11, true});
  Label2.setForeColor(kGold);
  Label2.setBackColor(kPlaque);
  Label2.setBorder(true);
  Scroll1.setGeometry(600, 3210, 4800, 270);
  Scroll1.setRange(1, kHallOfFameEntries);
  Scroll1.setSteps(1, 5);
  Scroll1.setValue(1);
  Command1.setGeometry(600, 3660, 2220, 540);
  Command2.setGeometry(3000, 3660, 2400, 540);
  for (Button* b : {&Command1, &Command2}) b->setFont({10, true});
  setInitialFocus(&Command1);
  setCancelButton(&Command1);
}

void Form9::showStaticTexts() {
  setCaption(tr("黄金の殿堂"));
  Backdrop.setAccessibleName(tr("殿堂の絵"));
  Label1.setCaption(tr("王者の殿堂"));
  Scroll1.setAccessibleName(tr("何代目のチャンピオン"));
  Command1.setCaption(tr("もういい"));
  Command2.setCaption(tr("殿堂データを消す"));
}

void Form9::showTexts() {
  showStaticTexts();
  HOUZI();
}

void Form9::Form_Load() { HOUZI(); }

void Form9::HOUZI() {
  const int v = Scroll1.value();
  const auto& entry = game().hallOfFame[v];
  // An empty entry, or one whose character no roster has, shows the hall.
  const std::optional<int> character = characterOf(entry[kCharacterField]);
  USI.setPicture({character ? RosterPicture(*character, Facing::Back) : kBackground});
  MA.setPicture({character ? RosterPicture(*character, Facing::Front) : kBackground});
  const QString shown = character ? fighterForDisplay(RosterName(*character)) : tr("空き");
  MA.setAccessibleName(tr("%1（まえ）").arg(shown));
  USI.setAccessibleName(tr("%1（うしろ）").arg(shown));
  Label2.setCaption(
      tr("%1代目チャンピオン　ＲＡＮＫ－－%2\r\n　　　　　%3")
          .arg(fitRight(decimal(v), 2), rankForDisplay(entry[kRankField]), fighterForDisplay(entry[kNameField])));
}

void Form9::Command1_Click() { handOverTo(screen::Hub); }

void Form9::Command2_Click() {
  if (msgBox(tr("殿堂データを消すと二度と戻りません\r\nいいですか？"), Buttons::YesNo) == Answer::Yes) {
    for (auto& entry : game().hallOfFame) {
      for (QString& field : entry) field.clear();
    }
    if (writeHallOfFame(ctx)) msgBox(tr("抹消しました。"));
  }
  HOUZI();
}

}  // namespace mofurin
