#include "screens/Learning.h"

#include "battle/BattleTexts.h"
#include "game/Numbers.h"
#include "game/Techniques.h"
#include "screens/Story.h"

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
  setCaption(QStringLiteral("新しい技を覚えたぞ！！"));
  setSize(7560, 3600);
  setBackColor(rgb(246, 241, 226));
  setHelpTopic(QStringLiteral("learn"));
  Label1[0].setCaption(QStringLiteral("覚えた技"));
  Label1[0].setGeometry(240, 240, 7080, 1200);
  Label1[0].setFont({11, false});
  Label1[0].setBorder(true);
  Label1[0].setBackColor(rgb(255, 255, 250));
  Label2.setCaption(QStringLiteral("何を忘れますか？（８個の中からどれか）"));
  Label2.setGeometry(240, 1620, 7080, 300);
  Label2.setFont({10, true});
  WAZA.setGeometry(240, 1950, 4920, 390);
  WAZA.setFont({10, false});
  WAZA.setLabelledBy(&Label2);
  Label1[2].setCaption(QStringLiteral("HP消費量--0"));
  Label1[2].setGeometry(5340, 2010, 1980, 300);
  Label1[2].setFont({10, false});
  for (Label* l : {&Label2, &Label1[2]}) l->setTransparent(true);
  const std::pair<Button*, const char16_t*> buttons[] = {
      {&Ok, u"これで良し"}, {&Yui, u"ほかの技を覚える"}, {&No, u"もう覚えない"}};
  int left = 240;
  for (auto [button, caption] : buttons) {
    button->setCaption(QString::fromUtf16(caption));
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
  for (int k = 0; k < kSlotCount; ++k) WAZA.addItem(g.techniqueNames(k, P));
}

void Form6::drawOffer() {
  const GameState& g = game();
  const TechniqueLookup offer = LookupTechnique(drawTechniqueNumber(ctx.random), g.levels[P]);
  offeredName = offer.text;
  offeredCost = learnedCost(offer.baseCost);
  QString text = QStringLiteral("今覚えた技") + newLine + offeredName + newLine + QStringLiteral("技の消費量：") +
                 decimal(offeredCost);
  // A technique already known can only be learned again, into its own slot.
  if (slotHolding(offeredName) >= 0) {
    text += QStringLiteral("覚え直すことになります");
    WAZA.setEnabled(false);
  }
  Label1[0].setCaption(text);
}

void Form6::Timer1_Timer() {
  if (const auto caption = shownCost(game(), P, WAZA.text()).caption) Label1[2].setCaption(*caption);
}

void Form6::Ok_Click() {
  if (msgBox(QStringLiteral("本当にこれでいいですか？"), Buttons::YesNo) != Answer::Yes) return;
  const GameState& g = game();
  const QString& name = g.fighterName[P];
  const int known = slotHolding(offeredName);
  // Of several slots with the picked name (empty ones, mostly) the lowest
  // takes the offer.
  const int picked = WAZA.listIndex() >= 0 ? slotHolding(WAZA.text()) : -1;
  if (known >= 0) {
    learnInto(known, name + QStringLiteral("　は") + newLine + offeredName +
                         QStringLiteral(" をすでに覚えているので、") + newLine + offeredName +
                         QStringLiteral(" をもう一回覚え直します。"));
  } else if (picked >= 0) {
    learnInto(picked, name + QStringLiteral(" は") + newLine + g.techniqueNames(picked, P) +
                          QStringLiteral(" を忘れ、") + newLine + offeredName + QStringLiteral(" を覚えた。"));
  }
  handOverTo<Form7>();
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

void Form6::Yui_Click() { handOverTo<Form6>(); }

void Form6::No_Click() {
  if (msgBox(QStringLiteral("もう覚えません｡いいですか？"), Buttons::YesNo) != Answer::Yes) return;
  handOverTo<Form7>();
}

}  // namespace mofurin
