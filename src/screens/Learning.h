#pragma once

#include <QCoreApplication>

#include "screens/Screen.h"

namespace mofurin {

// Technique learning, every fourth tournament win: one technique drawn from
// the table is offered, and the player gives up a slot for it, declines, or
// draws another. It always leads on to the message screen.
class Form6 : public Screen {
  Q_DECLARE_TR_FUNCTIONS(Form6)

 public:
  static inline const QString kName = screen::Learning;
  explicit Form6(GameContext& ctx);

  WidgetArray<Label> Label1{*this, "Label1", {0, 2}};
  Label Label2{*this, "Label2"};
  ComboBox WAZA{*this, "WAZA"};
  Button Ok{*this, "Ok"};
  Button Yui{*this, "Yui"};
  Button No{*this, "No"};
  Timer Timer1{*this, "Timer1", 1, true};

  void Form_Load() override;
  void showTexts() override;
  void Timer1_Timer();
  void Ok_Click();
  void Yui_Click();
  void No_Click();

  // The offer; it lives only while the screen is open.
  QString offeredName;
  qint32 offeredCost = 0;

 private:
  void layOut();
  void showOffer();
  void drawOffer();
  int slotHolding(const QString& technique) const;  // the first such slot, or -1
  void learnInto(int slot, const QString& message);
};

}  // namespace mofurin
