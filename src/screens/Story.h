#pragma once

#include <QCoreApplication>

#include "screens/Screen.h"

namespace mofurin {

// The message screen after every tournament bout: the running tally, the
// advice and the challenge before the final, and once the tournament is won
// the fighter's ending, its rank and the hall-of-fame question.
class Form7 : public Screen {
  Q_DECLARE_TR_FUNCTIONS(Form7)

 public:
  static inline const QString kName = screen::Story;
  explicit Form7(GameContext& ctx);

  PictureBox GAZO{*this, "GAZO"};
  WidgetArray<PictureBox> Image1{*this, "Image1", 9};
  TextBox Text1{*this, "Text1"};
  Button Command1{*this, "Command1"};

  void Form_Load() override;
  void showTexts() override;
  void Command1_Click();

  // What the screen shows: 0 the tally, 1 the advice, 2 the challenge,
  // 3 + the roster index of the fighter's character once the run is won.
  int messageCase = 0;

 private:
  void layOut();
  void showStaticTexts();
  void grade();
};

}  // namespace mofurin
