#include "screens/HallOfFameScreen.h"

#include "screens/Hub.h"

namespace mofurin {

Form9::Form9(GameContext& ctx) : Screen(ctx, kName) {
  setCaption(QStringLiteral("黄金の殿堂"));
  setSize(7200, 5400);
  setBackColor(rgb(40, 30, 10));
  setHelpTopic(QStringLiteral("fame"));
  Label1.setCaption(QStringLiteral("王者の殿堂"));
  Label1.setGeometry(300, 240, 6600, 600);
  Label1.setFont({20, true});
  Label1.setAlignment(Align::Centre);
  Label1.setTransparent(true);
  Label1.setForeColor(rgb(255, 215, 80));
  Command1.setCaption(QStringLiteral("もういい"));
  Command1.setGeometry(4800, 4560, 2100, 540);
  Command1.onClick = [this] { Command1_Click(); };
}

void Form9::Command1_Click() { handOverTo<Form4>(); }

}  // namespace mofurin
