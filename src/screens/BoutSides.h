#pragma once

#include <memory>

#include "battle/BattleEngine.h"
#include "battle/OtherSide.h"

namespace mofurin {

class Form1;

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
std::unique_ptr<PlayerSide> sidesFor(Form1& screen);

}  // namespace mofurin
