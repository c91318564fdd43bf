#include "screens/Shop.h"

#include <cmath>

#include "game/Numbers.h"
#include "platform/Keys.h"

namespace mofurin {

namespace {

constexpr Side P = Side::Player;
constexpr qint32 kPrices[kPartCount] = {4, 5, 7, 3};

QString payCaption(const QString& amount) { return QCoreApplication::translate("Form5", "%1\\払う").arg(amount); }

}  // namespace

Form5::Form5(GameContext& ctx) : Screen(ctx, kName) {
  layOut();
  showStaticTexts();
  Timer1.onTimer = [this] { Timer1_Timer(); };
  BASS.forEach([this](int, OptionButton& option) { option.onClick = [this] { refreshSoon(); }; });
  UPG.onChange = [this] { refreshSoon(); };
  UPG.onKeyDown = [this](int code) { UPG_KeyDown(code); };
  IIDASU.onClick = [this] { IIDASU_Click(); };
  BYE.onClick = [this] { this->ctx.forms.close(*this); };
}

void Form5::layOut() {
  setSize(7800, 4620);
  setBackColor(rgb(232, 244, 236));
  setHelpTopic(QStringLiteral("shop"));
  ShopKeeper.setGeometry(180, 180, 1440, 1440);
  ShopKeeper.setStretch(true);
  ShopKeeper.setPicture({QStringLiteral("shopkeeper.png")});
  Label1[0].setGeometry(1800, 240, 5800, 600);
  Label2.setGeometry(1800, 900, 5800, 300);
  Label2.setFont({10, true});
  Frame1.setGeometry(1800, 1230, 5800, 690);
  for (int i = 0; i < kPartCount; ++i) {
    BASS[i].setParent(&Frame1);
    BASS[i].setCaption(partLabel(i));
    BASS[i].setGeometry(240 + i * 1380, 300, 1320, 300);
  }
  BASS[0].setSelected(true);
  Label3.setGeometry(180, 2160, 900, 300);
  UPG.setGeometry(1080, 2070, 1500, 420);
  UPG.setMaxLength(6);
  UPG.setLabelledBy(&Label3);
  UPG.setText(QStringLiteral("000000"));
  UPG.setFont({12, false});
  UPG.setAlignment(Align::Right);
  IIDASU.setCaption(payCaption(QStringLiteral("0")));
  IIDASU.setGeometry(2760, 2040, 2520, 480);
  IIDASU.setFont({11, true});
  BYE.setGeometry(5460, 2040, 2160, 480);
  Label1[1].setCaption(tr("演算結果　HP+ポイント＝結果　　　　　　手持ち金の演算　所持金－代金＝結果"));
  Label1[1].setGeometry(180, 2700, 7440, 780);
  Label1[1].setFont({11, false});
  Label1[1].setBorder(true);
  Label1[1].setBackColor(rgb(255, 255, 250));
  GOLDOK.setGeometry(180, 3630, 3600, 390);
  GOLDOK.setReadOnly(true);
  GOLDOK.setFont({11, false});
  GOLDOK.setText(tr("所持金：1000\\"));
  Label4.setGeometry(180, 4170, 7440, 300);
  Label4.setForeColor(rgb(80, 100, 90));
  for (Label* l : {&Label1[0], &Label2, &Label3, &Label4}) l->setTransparent(true);
  setInitialFocus(&UPG);
  setCancelButton(&BYE);
}

void Form5::Timer1_Timer() {
  const GameState& g = game();
  for (int i = 0; i < kPartCount; ++i) {
    if (BASS[i].selected()) {
      pricePerPoint = kPrices[i];
      selectedPart = i;
    }
  }
  const double amount = std::trunc(leadingNumber(UPG.text()));
  const double hp = g.partHp(selectedPart, P);
  const double cost = pricePerPoint * amount;
  amountFits_ = fitsInt32(amount) && fitsInt32(cost) && fitsInt32(hp + amount) && fitsInt32(g.money - cost);
  if (amountFits_) {
    points = static_cast<qint32>(amount);
    const qint64 price = qint64(pricePerPoint) * points;
    Label1[1].setCaption(tr("HP=%1+%2=%3\r\n%4-%5=%6\\")
                             .arg(decimal(qint64(hp)), decimal(points), decimal(qint64(hp) + points), decimal(g.money),
                                  decimal(price), decimal(g.money - price)) +
                         newLine);
    IIDASU.setCaption(payCaption(decimal(price)));
  } else {
    points = 0;
    Label1[1].setCaption(tr("その数は大きすぎて計算できないっす") + newLine);
    IIDASU.setCaption(payCaption(QStringLiteral("---")));
  }
  GOLDOK.setText(tr("所持金：%1\\").arg(decimal(g.money)));
  Timer1.stop();
}

QString Form5::refusal() const {
  const GameState& g = ctx.game;
  if (!amountFits_) {
    return tr("そんな数はあつかえないっす！\r\nもっと小さな数にして下さいっす");
  }
  const qint64 newHp = qint64(g.partHp(selectedPart, P)) + points;
  if (newHp < 1) {
    return tr("これ以上減らすとこの部分は使えなくなるっす\r\nお金のために身を売らないで下さいっす");
  }
  if (newHp > kValueCap) return tr("これ以上の増強は無理だ！！\r\n身の程を知るんだ");
  if (g.money - qint64(pricePerPoint) * points < 0) return tr("金がたらんっす！！");
  return {};
}

void Form5::IIDASU_Click() {
  // A refresh still waiting for its tick would leave the payment with the
  // amount before the last keystroke.
  if (Timer1.enabled()) Timer1_Timer();
  GameState& g = game();
  if (msgBox(tr("本当にいいっすね？"), Buttons::YesNo, tr("回復")) == Answer::Yes) {
    const QString problem = refusal();
    if (!problem.isEmpty()) {
      msgBox(problem);
    } else {
      g.money -= pricePerPoint * points;
      g.partHp(selectedPart, P) += points;
      g.unsavedProgress = true;
    }
  }
  msgBox(tr("またきて欲しいっす！"));
  refreshSoon();
  g.money = std::min(g.money, kValueCap);
}

void Form5::UPG_KeyDown(int keyCode) {
  if (keyCode == platform::Key::Enter) IIDASU_Click();
  if (keyCode == platform::Key::Up) selectedPart = selectedPart == 0 ? kPartCount - 1 : selectedPart - 1;
  if (keyCode == platform::Key::Down) selectedPart = selectedPart == kPartCount - 1 ? 0 : selectedPart + 1;
  BASS[selectedPart].setSelected(true);
  refreshSoon();
}

// The first frame already shows the player's figures, not the design's.
void Form5::showStaticTexts() {
  setCaption(tr("回復屋"));
  ShopKeeper.setAccessibleName(tr("回復屋の主人"));
  Label1[0].setCaption(tr("回復したいところを選択して回復数をおして、決定を押してください。"));
  Label2.setCaption(tr("頭*4　　両腕*5　　両脚*7　　胴体*3　(\\)"));
  Frame1.setCaption(tr("回復するところ"));
  Label3.setCaption(tr("回復数"));
  BYE.setCaption(tr("帰る"));
  GOLDOK.setAccessibleName(tr("所持金"));
  Label4.setCaption(tr("↑↓キーで部分を変えて、Enterキーで払えます。マイナスの数で売れます。"));
}

void Form5::showTexts() {
  showStaticTexts();
  for (int i = 0; i < kPartCount; ++i) BASS[i].setCaption(partLabel(i));
  Timer1_Timer();  // the sums and the money, in the new language
}

void Form5::Form_Load() { Timer1_Timer(); }

void Form5::Form_Unload() {
  if (onClosed) onClosed();
}

}  // namespace mofurin
