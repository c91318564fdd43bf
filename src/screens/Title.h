#pragma once

#include <QCoreApplication>

#include "screens/Screen.h"

namespace mofurin {

// The title screen: the one-time start-up, and the ways into the game.
class Form2 : public Screen {
  Q_DECLARE_TR_FUNCTIONS(Form2)

 public:
  static inline const QString kName = screen::Title;
  explicit Form2(GameContext& ctx);

  PictureBox Image1{*this, "Image1"};
  Label Label2{*this, "Label2"};  // the game's title
  Label Label1{*this, "Label1"};  // the subtitle
  Label Label3{*this, "Label3"};  // the production credit
  MenuItem mnuMenu{*this, "mnuMenu"};
  MenuItem o1{*this, "o1"};
  MenuItem o2{*this, "o2"};
  MenuItem mnuSettings{*this, "mnuSettings"};
  MenuItem mnuReplay{*this, "mnuReplay"};
  MenuItem o3{*this, "o3"};  // the menu's last item, where players look for the way out
  MenuItem mnuHelp{*this, "mnuHelp"};
  MenuItem mnuHelpHint{*this, "mnuHelpHint"};

  void Form_Load() override;
  void showTexts() override;
  void o1_Click();
  void o2_Click();
  void o3_Click();
  void mnuReplay_Click();

 private:
  void layOut();
};

}  // namespace mofurin
