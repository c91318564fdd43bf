#pragma once

#include <QCoreApplication>

#include "screens/Screen.h"

namespace mofurin {

// The starter selection: the four starters of an ordinary new game.
class Form3 : public Screen {
  Q_DECLARE_TR_FUNCTIONS(Form3)

 public:
  static inline const QString kName = screen::Starters;
  explicit Form3(GameContext& ctx);

  WidgetArray<Frame> HIRO{*this, "HIRO", 4};
  WidgetArray<PictureBox> HIRO1{*this, "HIRO1", 4};
  TextBox SETU{*this, "SETU"};
  Label Label1{*this, "Label1"};
  TextBox Text1{*this, "Text1"};
  Button Command1{*this, "Command1"};
  Label Label2{*this, "Label2"};  // the keyboard hint

  void Form_KeyDown(int keyCode) override;
  void showTexts() override;
  void choose(int slot);  // slot 1..4
  void Command1_Click();

 private:
  void layOut();
  int chosen_ = 0;  // the starter slot shown, 0 before the first choice
};

// The all-roster selection, open after a cleared run.
class Form8 : public Screen {
  Q_DECLARE_TR_FUNCTIONS(Form8)

 public:
  static inline const QString kName = screen::Roster;
  explicit Form8(GameContext& ctx);

  PictureBox MA{*this, "MA"};
  PictureBox USI{*this, "USI"};
  Label Label3{*this, "Label3"};  // "まえ"
  Label Label4{*this, "Label4"};  // "うしろ"
  Label Label1{*this, "Label1"};
  Label Label2{*this, "Label2"};
  TextBox Text1{*this, "Text1"};
  Button Command1{*this, "Command1"};
  Button Command2{*this, "Command2"};
  Button Command3{*this, "Command3"};

  void Form_Load() override;
  void showTexts() override;
  void HYOUZI();
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();

 private:
  void layOut();
};

}  // namespace mofurin
