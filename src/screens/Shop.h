#pragma once

#include <QCoreApplication>

#include "screens/Screen.h"

namespace mofurin {

// The recovery shop, opened beside the hub: hit points for one body part at
// a time, bought with money or sold back for it.
class Form5 : public Screen {
  Q_DECLARE_TR_FUNCTIONS(Form5)

 public:
  static inline const QString kName = screen::Shop;
  explicit Form5(GameContext& ctx);

  PictureBox ShopKeeper{*this, "ShopKeeper"};
  WidgetArray<Label> Label1{*this, "Label1", 2};
  Label Label2{*this, "Label2"};
  Frame Frame1{*this, "Frame1"};
  WidgetArray<OptionButton> BASS{*this, "BASS", 4};
  Label Label3{*this, "Label3"};
  TextBox UPG{*this, "UPG"};
  Button IIDASU{*this, "IIDASU"};
  Button BYE{*this, "BYE"};
  TextBox GOLDOK{*this, "GOLDOK"};
  Label Label4{*this, "Label4"};
  Timer Timer1{*this, "Timer1", 1, true};

  void Form_Load() override;
  void showTexts() override;
  void Form_Unload() override;
  std::function<void()> onClosed;  // the screen the shop opened over hears it close
  void Timer1_Timer();
  void IIDASU_Click();
  void UPG_KeyDown(int keyCode);

  // The shop's state, from the last refresh.
  qint32 selectedPart = 0;
  qint32 pricePerPoint = 0;
  qint32 points = 0;

 private:
  void layOut();
  void showStaticTexts();
  void refreshSoon() { Timer1.start(); }
  QString refusal() const;  // why the payment cannot be made, or empty

  bool amountFits_ = true;  // the amount, its cost and the results fit 32 bits
};

}  // namespace mofurin
