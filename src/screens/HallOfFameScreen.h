#pragma once

#include "screens/Screen.h"

namespace mofurin {

// The hall of fame. Its table display comes with the hall of fame's own
// work; "もういい" already leads back to a new hub.
class Form9 : public Screen {
 public:
  static inline const QString kName = QStringLiteral("Form9");
  explicit Form9(GameContext& ctx);

  Label Label1{*this, "Label1"};
  Button Command1{*this, "Command1"};

  void Command1_Click();
};

}  // namespace mofurin
