#pragma once

#include "screens/Screen.h"

namespace mofurin {

// What comes after a tournament bout: for now both screens show the
// running tally and lead back to the hub; technique learning and the story
// come with their own work.
class TallyScreen : public Screen {
 public:
  TallyScreen(GameContext& ctx, const QString& name, const QString& caption);

  PictureBox GAZO{*this, "GAZO"};
  TextBox Text1{*this, "Text1"};
  Button Command1{*this, "Command1"};

  void Form_Load() override;
  void Command1_Click();
};

// "戦った回数：", "白星    " and "黒星    ", as the message screen shows them.
QString tallyText(const GameState& game);

class Form6 : public TallyScreen {
 public:
  static inline const QString kName = QStringLiteral("Form6");
  explicit Form6(GameContext& ctx) : TallyScreen(ctx, kName, QStringLiteral("新しい技を覚えたぞ！！")) {}
};

class Form7 : public TallyScreen {
 public:
  static inline const QString kName = QStringLiteral("Form7");
  explicit Form7(GameContext& ctx) : TallyScreen(ctx, kName, QStringLiteral("メッセージBOX")) {}
};

}  // namespace mofurin
