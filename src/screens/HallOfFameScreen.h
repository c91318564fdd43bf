#pragma once

#include <QCoreApplication>

#include "screens/Screen.h"

namespace mofurin {

// The golden hall: the champions of the hall of fame, one entry at a time,
// and the button that erases them all.
class Form9 : public Screen {
  Q_DECLARE_TR_FUNCTIONS(Form9)

 public:
  static inline const QString kName = screen::HallOfFame;
  explicit Form9(GameContext& ctx);

  PictureBox Backdrop{*this, "Backdrop"};
  Label Label1{*this, "Label1"};
  PictureBox USI{*this, "USI"};
  PictureBox MA{*this, "MA"};
  Label Label2{*this, "Label2"};
  ScrollBar Scroll1{*this, "Scroll1"};
  Button Command1{*this, "Command1"};
  Button Command2{*this, "Command2"};

  void Form_Load() override;
  void showTexts() override;
  void HOUZI();
  void Command1_Click();
  void Command2_Click();

 private:
  void layOut();
  void showStaticTexts();
};

// Records the won run in the first free entry (entry 20 when all are taken),
// writes the hall of fame and offers to save the game.
void OUZYA(GameContext& ctx);

}  // namespace mofurin
