#pragma once

#include <QCoreApplication>

#include "screens/Replays.h"
#include "screens/Screen.h"

namespace mofurin {

// The replay list "リプレイを見る", opened by the title's menu: the kept
// records, newest first, with when, who, the kind of bout and its end; a
// file dialog for any other record is one button away.
class FormReplays : public Screen {
  Q_DECLARE_TR_FUNCTIONS(FormReplays)

 public:
  static inline const QString kName = screen::Replays;
  explicit FormReplays(GameContext& ctx);

  Label Label1{*this, "Label1"};
  ComboBox List1{*this, "List1"};
  Button Command1{*this, "Command1"};
  Button Command2{*this, "Command2"};
  Button Command3{*this, "Command3"};

  void Form_Load() override;
  void showTexts() override;
  void Form_Unload() override;
  void Form_KeyDown(int keyCode) override;

 private:
  void layOut();
  void watch(const std::function<bool(platform::Form& from)>& start);

  std::vector<KeptReplay> kept_;
};

}  // namespace mofurin
