#pragma once

#include <array>
#include <functional>
#include <memory>

#include "battle/BattleEngine.h"
#include "battle/OtherSide.h"
#include "platform/Form.h"

namespace mofurin {

class GameContext;

// The battle screen as this machine's side of a bout uses it.
class BoutScreen {
 public:
  virtual ~BoutScreen() = default;

  virtual GameContext& context() = 0;
  virtual platform::Form& form() = 0;
  virtual BattleEngine& engine() = 0;
  virtual BoutRecorder& recorder() = 0;
  // The screen shows both sides' choices while this side watches the
  // other's first strike.
  virtual void watchOtherSide() = 0;
  virtual void showCommandPanel() = 0;
  // A recorded choice: the list shows the slot, and the round starts.
  virtual void playChoice(int slot) = 0;
  // The flight as the player makes it: the box, then the leaving.
  virtual void flee() = 0;
  virtual void showMessage(const QString& text) = 0;
  // The bout's record is kept once; as a flight when this side left it
  // undecided.
  virtual void keepRecord(bool leftUndecided) = 0;
  virtual void closeScreen() = 0;
  // A replay's controls take the command panel's place, at the speed (one
  // of kReplaySpeeds); the screen paces itself by the new speed once it is
  // told of it.
  virtual void showReplayControls(int speed, std::function<void()> stop,
                                  std::function<void(int speed)> speedChosen) = 0;
};

inline constexpr std::array<int, 3> kReplaySpeeds{1, 2, 4};

// This machine's side of a bout on the battle screen: the player's commands
// (with AUTO), or a record playing them back. Each side also says what
// leaving the bout means for it: a live bout keeps its record and tells the
// other side; a replay gives the player's own game back.
class PlayerSide {
 public:
  virtual ~PlayerSide() = default;

  // Who stands on the other side of this bout.
  virtual OtherSide& other() = 0;
  // The battle screen has opened; the intro has not yet begun.
  virtual void open() {}
  // The first round opens on the other side's strike: this side watches.
  virtual void watch() {}
  // The command phase: this side chooses a technique, AUTO or a flight.
  virtual void choose() = 0;
  // The command phase closes, chosen or not.
  virtual void commandPhaseCloses() {}
  // After each step of the engine.
  virtual void engineTicked() {}
  // This side fled (the box has been answered and the flight written down).
  virtual void flee() = 0;
  // The bout is over and the engine moves on to the next screen, or ends
  // the program (a game over).
  virtual void leave(BattleHost::Next next) = 0;
  virtual void endProgram() = 0;
  // The battle screen closes, however the bout ended.
  virtual void unload() = 0;
  // The whole game ends in the middle of the bout.
  virtual void gameEnds() = 0;
  virtual bool closeShowsAnotherScreen() const = 0;
  // How many times faster than live play the bout runs.
  virtual int speed() const { return 1; }
};

// The sides of the bout the battle screen is opening: a replay when one is
// being watched, else the player's commands against the other machine or
// the computer.
std::unique_ptr<PlayerSide> sidesFor(BoutScreen& screen);

}  // namespace mofurin
