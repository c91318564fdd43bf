#pragma once

#include <QCoreApplication>

#include "screens/Screen.h"

namespace mofurin {

// The settings "設定", opened from the title's menu: the music and the hit
// sounds, each on or off with its volume, and the game's language. Every
// change is heard (or seen) at once, also in a bout in progress, and kept
// for the next start.
class FormSettings : public Screen {
  Q_DECLARE_TR_FUNCTIONS(FormSettings)

 public:
  static inline const QString kName = screen::Settings;
  explicit FormSettings(GameContext& ctx);

  Frame Frame1{*this, "Frame1"};
  CheckBox Check1{*this, "Check1"};
  Label Label1{*this, "Label1"};
  ScrollBar Volume1{*this, "Volume1"};
  Frame Frame2{*this, "Frame2"};
  CheckBox Check2{*this, "Check2"};
  Label Label2{*this, "Label2"};
  ScrollBar Volume2{*this, "Volume2"};
  Frame Frame3{*this, "Frame3"};
  WidgetArray<OptionButton> Language{*this, "Language", 2};  // 0 日本語, 1 English
  // The servers of internet bouts.
  Frame Frame4{*this, "Frame4"};
  Label Label4{*this, "Label4"};
  TextBox MeetingPlace{*this, "MeetingPlace"};
  Label Label5{*this, "Label5"};
  TextBox Relay{*this, "Relay"};
  Label Label3{*this, "Label3"};
  Button Command1{*this, "Command1"};

  void Form_Load() override;
  void Form_KeyDown(int keyCode) override;
  void showTexts() override;

 private:
  void layOut();
  void show(const SoundSettings& settings);
  // The widgets' settings are kept and applied.
  void apply();
  void chooseLanguage(platform::Language language);
  void keepServers();
  QString note_;  // what Label3 says besides the settings' own texts
  bool noteIsPath_ = false;

  bool loading_ = false;
};

}  // namespace mofurin
