#pragma once

#include <QCoreApplication>

#include "screens/Screen.h"

namespace mofurin {

// The status hub: the fighter's status and record, the two options, and a
// button for every activity between bouts.
class Form4 : public Screen {
  Q_DECLARE_TR_FUNCTIONS(Form4)

 public:
  static inline const QString kName = screen::Hub;
  explicit Form4(GameContext& ctx);
  ~Form4() override;

  PictureBox MYGA{*this, "MYGA"};
  Label MYNA{*this, "MYNA"};
  Label MOTIG{*this, "MOTIG"};
  PictureBox CoinPicture{*this, "CoinPicture"};
  Label LIFE3{*this, "LIFE3"};
  Shape LIFE1{*this, "LIFE1"};
  Shape LIFE2{*this, "LIFE2"};
  Label MYST{*this, "MYST"};
  WidgetArray<Label> Label2{*this, "Label2", 4};
  PictureBox TrophyPicture{*this, "TrophyPicture"};
  Label WINNER{*this, "WINNER"};
  WidgetArray<Label> Label1{*this, "Label1", {1, 2}};
  ComboBox WAZA{*this, "WAZA"};
  WidgetArray<OptionButton> STRIN{*this, "STRIN", 3};
  ScrollBar SPEED{*this, "SPEED"};
  CheckBox Check1{*this, "Check1"};
  Frame Frame1{*this, "Frame1"};
  Button BATTLE{*this, "BATTLE"};
  Button TRAI{*this, "TRAI"};
  Button HPUP{*this, "HPUP"};
  Button SEVE{*this, "SEVE"};
  Button tabi{*this, "tabi"};
  Button Command4{*this, "Command4"};
  Frame Frame2{*this, "Frame2"};
  CheckBox Check2{*this, "Check2"};
  Button Invite{*this, "Invite"};  // a host found through the internet by an invitation
  TextBox Text1{*this, "Text1"};
  Button Command3{*this, "Command3"};  // さがす: the host list
  Button Command2{*this, "Command2"};
  Label Label3{*this, "Label3"};
  Button Command1{*this, "Command1"};
  Timer Timer1{*this, "Timer1", 1, true};

  void Form_Load() override;
  void showTexts() override;
  void Form_Unload() override;
  // The screen in front of the hub (the shop, the host finder) has closed:
  // the hub takes input again, with the keyboard on the command the player
  // used last.
  void comeBack();
  void YOUHYO();
  void Timer1_Timer();
  void SPEED_Change();
  void Check1_Click();
  void HPUP_Click();
  void SEVE_Click();
  void tabi_Click();
  void Command4_Click();
  void Label2_Click();
  void BATTLE_Click();
  void TRAI_Click();
  void Check2_Click();
  // While a link stands, its role does: the check box waits, and says why.
  void showRoleHeld(bool held);
  void showLinkNews();
  void Command2_Click();
  void Invite_Click();
  void Command3_Click();

 private:
  void layOut();
  void remembersCommands();
  Button& lastCommand();
  void layOutStatus();
  void layOutRecord();
  void layOutCommands();
  void layOutNetwork();
  bool loaded_ = false;
  void refreshLifeBar();
  void showSpeed();
  // The shop and training are closed in the last stretch: says so.
  bool refusedInClosingStretch();
};

}  // namespace mofurin
