#include "screens/Learning.h"

#include "battle/BattleTexts.h"
#include "game/Numbers.h"
#include "game/Roster.h"
#include "game/Techniques.h"

namespace mofurin {

namespace {

constexpr Side P = Side::Player;

// A drawn number in 0..44: the ends are half as likely, and 0 is the empty
// entry, offered like a technique.
int drawTechniqueNumber(Random& random) { return roundHalfEven(static_cast<double>(random.next()) * kTechniqueCount); }

// Learned techniques cost less than the table's price for the level.
qint32 learnedCost(qint32 baseCost) { return roundHalfEven(baseCost / 1.7 + 1); }

}  // namespace

Form6::Form6(GameContext& ctx) : Screen(ctx, kName) {
  layOut();
  Timer1.onTimer = [this] { Timer1_Timer(); };
  Ok.onClick = [this] { Ok_Click(); };
  Yui.onClick = [this] { Yui_Click(); };
  No.onClick = [this] { No_Click(); };
}

void Form6::layOut() {
  setCaption(tr("新しい技を覚えたぞ！！"));
  setSize(7560, 3600);
  setBackColor(rgb(246, 241, 226));
  setHelpTopic(QStringLiteral("learn"));
  Label1[0].setCaption(tr("覚えた技"));
  Label1[0].setGeometry(240, 240, 7080, 1200);
  Label1[0].setFont({11, false});
  Label1[0].setBorder(true);
  Label1[0].setBackColor(rgb(255, 255, 250));
  Label2.setCaption(tr("何を忘れますか？（８個の中からどれか）"));
  Label2.setGeometry(240, 1620, 7080, 300);
  Label2.setFont({10, true});
  WAZA.setGeometry(240, 1950, 4920, 390);
  WAZA.setFont({10, false});
  WAZA.setLabelledBy(&Label2);
  Label1[2].setCaption(tr("HP消費量--0"));
  Label1[2].setGeometry(5340, 2010, 1980, 300);
  Label1[2].setFont({10, false});
  for (Label* l : {&Label2, &Label1[2]}) l->setTransparent(true);
  const std::pair<Button*, QString> buttons[] = {
      {&Ok, tr("これで良し")}, {&Yui, tr("ほかの技を覚える")}, {&No, tr("もう覚えない")}};
  int left = 240;
  for (auto [button, caption] : buttons) {
    button->setCaption(caption);
    button->setGeometry(left, 2700, 2280, 600);
    button->setFont({10, true});
    left += 2400;
  }
  setInitialFocus(&WAZA);
}

void Form6::Form_Load() {
  drawOffer();
  const GameState& g = game();
  WAZA.clear();
  for (int k = 0; k < kSlotCount; ++k) WAZA.addItem(techniqueForDisplay(g.techniqueNames(k, P)));
}

void Form6::drawOffer() {
  const GameState& g = game();
  const TechniqueLookup offer = LookupTechnique(drawTechniqueNumber(ctx.random), g.levels[P]);
  offeredName = offer.text;
  offeredCost = learnedCost(offer.baseCost);
  // A technique already known can only be learned again, into its own slot.
  if (slotHolding(offeredName) >= 0) WAZA.setEnabled(false);
  showOffer();
}

void Form6::showOffer() {
  QString text = tr("今覚えた技\r\n%1\r\n技の消費量：%2").arg(techniqueForDisplay(offeredName), decimal(offeredCost));
  if (slotHolding(offeredName) >= 0) text += tr("覚え直すことになります");
  Label1[0].setCaption(text);
}

void Form6::showTexts() {
  setCaption(tr("新しい技を覚えたぞ！！"));
  Label2.setCaption(tr("何を忘れますか？（８個の中からどれか）"));
  const std::pair<Button*, QString> buttons[] = {
      {&Ok, tr("これで良し")}, {&Yui, tr("ほかの技を覚える")}, {&No, tr("もう覚えない")}};
  for (auto [button, caption] : buttons) button->setCaption(caption);
  showOffer();
  const int picked = WAZA.listIndex();
  WAZA.clear();
  for (int k = 0; k < kSlotCount; ++k) WAZA.addItem(techniqueForDisplay(game().techniqueNames(k, P)));
  WAZA.setListIndex(picked);
}

void Form6::Timer1_Timer() {
  if (const auto caption = shownCost(game(), P, WAZA.text()).caption) Label1[2].setCaption(*caption);
}

void Form6::Ok_Click() {
  if (msgBox(tr("本当にこれでいいですか？"), Buttons::YesNo) != Answer::Yes) return;
  const GameState& g = game();
  const QString& name = g.fighterName[P];
  const int known = slotHolding(offeredName);
  // Of several slots with the picked name (empty ones, mostly) the lowest
  // takes the offer.
  // (The list shows the names in the current language: the slot's own text
  // is what the slots are searched for.)
  const int picked = WAZA.listIndex() >= 0 ? slotHolding(g.techniqueNames(WAZA.listIndex(), P)) : -1;
  const QString shownName = fighterForDisplay(name);
  const QString offered = techniqueForDisplay(offeredName);
  if (known >= 0) {
    learnInto(known,
              tr("%1　は\r\n%2 をすでに覚えているので、\r\n%2 をもう一回覚え直します。").arg(shownName, offered));
  } else if (picked >= 0) {
    learnInto(picked, tr("%1 は\r\n%2 を忘れ、\r\n%3 を覚えた。")
                          .arg(shownName, techniqueForDisplay(g.techniqueNames(picked, P)), offered));
  }
  handOverTo(screen::Story);
}

int Form6::slotHolding(const QString& technique) const {
  for (int k = 0; k < kSlotCount; ++k) {
    if (ctx.game.techniqueNames(k, P) == technique) return k;
  }
  return -1;
}

void Form6::learnInto(int slot, const QString& message) {
  msgBox(message);
  GameState& g = game();
  g.techniqueNames(slot, P) = offeredName;
  g.techniqueCosts(slot, P) = offeredCost;
  g.unsavedProgress = true;
}

void Form6::Yui_Click() { handOverTo(screen::Learning); }

void Form6::No_Click() {
  if (msgBox(tr("もう覚えません｡いいですか？"), Buttons::YesNo) != Answer::Yes) return;
  handOverTo(screen::Story);
}

}  // namespace mofurin
