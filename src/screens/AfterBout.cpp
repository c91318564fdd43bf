#include "screens/AfterBout.h"

#include "game/Numbers.h"
#include "screens/Hub.h"

namespace mofurin {

QString tallyText(const GameState& g) {
  return QStringLiteral("戦った回数：") + decimal(qint64(g.bouts) + 1) + newLine + QStringLiteral("白星    ") +
         decimal(g.wins) + QStringLiteral("/") + decimal(qint64(g.losses) + 40) + newLine + QStringLiteral("黒星    ") +
         decimal(g.losses);
}

TallyScreen::TallyScreen(GameContext& ctx, const QString& name, const QString& caption) : Screen(ctx, name) {
  setCaption(caption);
  setSize(6600, 6600);
  setBackColor(rgb(246, 241, 226));
  setHelpTopic(QStringLiteral("story"));
  GAZO.setGeometry(300, 240, 6000, 4500);
  GAZO.setStretch(true);
  GAZO.setBorder(true);
  GAZO.setPicture({QStringLiteral("story_blank.png")});
  Text1.setGeometry(300, 4860, 4200, 1440);
  Text1.setMultiLine(true);
  Text1.setReadOnly(true);
  Text1.setFont({11, false});
  Command1.setCaption(QStringLiteral("元に戻る"));
  Command1.setGeometry(4680, 5700, 1620, 600);
  Command1.onClick = [this] { Command1_Click(); };
  setInitialFocus(&Command1);
}

void TallyScreen::Form_Load() { Text1.setText(tallyText(game())); }

void TallyScreen::Command1_Click() { handOverTo<Form4>(); }

}  // namespace mofurin
