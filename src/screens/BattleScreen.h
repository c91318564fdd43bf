#pragma once

#include "screens/Screen.h"

namespace mofurin {

// The battle screen. The bout itself comes with the battle's own work; for
// now the screen opens against the prepared opponent and nothing more.
class Form1 : public Screen {
 public:
  static inline const QString kName = QStringLiteral("Form1");
  explicit Form1(GameContext& ctx) : Screen(ctx, kName) {
    setCaption(QStringLiteral("バトル"));
    setSize(9600, 7200);
    setHelpTopic(QStringLiteral("battle"));
  }
};

}  // namespace mofurin
