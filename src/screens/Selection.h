#pragma once

#include "screens/Screen.h"

namespace mofurin {

// The starter selection: the four starters of an ordinary new game.
class Form3 : public Screen {
 public:
  static inline const QString kName = QStringLiteral("Form3");
  explicit Form3(GameContext& ctx);
};

// The all-roster selection, open after a cleared run.
class Form8 : public Screen {
 public:
  static inline const QString kName = QStringLiteral("Form8");
  explicit Form8(GameContext& ctx);
};

}  // namespace mofurin
