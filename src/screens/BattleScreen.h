#pragma once

#include <array>
#include <memory>

#include "battle/BattleEngine.h"
#include "screens/BoutSides.h"
#include "screens/Screen.h"

namespace mofurin {

// The battle screen "激戦地区": every bout is fought here. The rules live in
// the bout engine; the screen paces it with its timers and shows what it
// reports: messages, status texts, the hit sprite, the shake, the pop-up
// and the sounds. Who plays each side (the player, the computer, the other
// machine, a record) is the business of the sides (BoutSides.h).
class Form1 : public Screen, private BattleHost, private BoutScreen {
 public:
  static inline const QString kName = screen::Battle;
  explicit Form1(GameContext& ctx);

  // The scene: the ring with both fighters, the sprite and the pop-up.
  PictureBox Picture1{*this, "Picture1"};
  Label Label3{*this, "Label3"};
  Shape Shape1{*this, "Shape1"};
  WidgetArray<PictureBox> KAO{*this, "KAO", 2};
  PictureBox IRA{*this, "IRA"};
  Label Label5{*this, "Label5"};
  Label Label2{*this, "Label2"};

  // Each side's status.
  WidgetArray<Frame> WAKU{*this, "WAKU", 2};
  WidgetArray<Label> NAMAE{*this, "NAMAE", 2};
  WidgetArray<Label> HITP{*this, "HITP", 2};
  WidgetArray<TextBox> ZYOU{*this, "ZYOU", 2};
  ComboBox Combo1{*this, "Combo1"};
  WidgetArray<Label> Label1{*this, "Label1", {2, 4}};

  Label MSG{*this, "MSG"};

  // The command panel and the AUTO counter beside it.
  Frame HV125{*this, "HV125"};
  Label Label6{*this, "Label6"};
  ComboBox WAZA{*this, "WAZA"};
  WidgetArray<Button> IIYO{*this, "IIYO", 1};
  WidgetArray<Button> NIGERU{*this, "NIGERU", 1};
  Button Command1{*this, "Command1"};
  Label Label4{*this, "Label4"};

  Timer Timer1{*this, "Timer1", 1, true};
  Timer Timer2{*this, "Timer2", 1, false};
  Timer Timer3{*this, "Timer3", 300, false};
  Timer Timer4{*this, "Timer4", 20, false};
  Timer Timer5{*this, "Timer5", 1, true};
  Timer Timer6{*this, "Timer6", 200, true};

  // A replay's controls, in the command panel's place.
  Frame SAISEI{*this, "SAISEI"};
  Button TEISI{*this, "TEISI"};
  Label Label7{*this, "Label7"};  // "速さ" over the speed list
  ComboBox SOKUDO{*this, "SOKUDO"};

  void Form_Load() override;
  void Form_Unload() override;
  void Form_KeyDown(int keyCode) override;
  void Form_End() override;
  void showTexts() override;
  bool closeShowsAnotherScreen() const override { return player_ && player_->closeShowsAnotherScreen(); }
  void Timer1_Timer();
  void Timer2_Timer();
  void Timer3_Timer();
  void Timer4_Timer();
  void Timer5_Timer();
  void Timer6_Timer();
  void IIYO_Click();
  void NIGERU_Click();
  void Command1_Click();
  void bgm1();

 private:
  void layOut();
  void layOutScene();
  void layOutStatus();
  void layOutCommands();
  void layOutReplayControls();
  void showStaticTexts();
  // The first round opens on the other side's strike.
  void watchFirstRound();
  void loadSounds();
  void showCost(const ComboBox& list, Side s, Label& cost);
  void showPlayersChoice();
  void showFighterLines();  // HITP and NAMAE of both sides
  void countAutoTurn(int added);
  void pickSlotByKey(int slot);
  Side attackingSide() const;
  void startPopup(Side attacker, const QString& caption);

  // What the engine asks of the screen.
  void setMessage(const QString& text) override { MSG.setCaption(text); }
  void appendMessage(const QString& text) override { MSG.setCaption(MSG.caption() + text); }
  void startEngine() override { Timer3.start(); }
  void stopEngine() override { Timer3.stop(); }
  void setEngineInterval(int ms) override;
  void openCommandPhase() override;
  void closeCommandPhase() override;
  void refillLists() override;
  void disableFlee() override { NIGERU[0].setEnabled(false); }
  void showStatus() override;
  void hitAnimation(Side attacker) override;
  void missPopup(Side attacker) override;
  void messageBox(const QString& text) override { msgBox(text); }
  void endProgram() override;
  void leaveBout(Next next) override;

  // What this machine's side asks of the screen.
  GameContext& context() override { return ctx; }
  platform::Form& form() override { return *this; }
  BattleEngine& engine() override { return engine_; }
  BoutRecorder& recorder() override { return recorder_; }
  void watchOtherSide() override { Timer1.start(); }
  void showCommandPanel() override;
  void playChoice(int slot) override;
  void flee() override { NIGERU_Click(); }
  void showMessage(const QString& text) override { msgBox(text); }
  void keepRecord(bool leftUndecided) override;
  void closeScreen() override { ctx.forms.close(*this); }
  void showReplayControls(int speed, std::function<void()> stop, std::function<void(int speed)> speedChosen) override;

  BattleEngine engine_;
  BoutRecorder recorder_;
  std::unique_ptr<PlayerSide> player_;
  OtherSide* other_ = &engine_.computer();
  bool commandPhaseReached_ = false;
  bool recordKept_ = false;
  int engineInterval_ = 300;  // Timer3's interval at ×1
};

}  // namespace mofurin
