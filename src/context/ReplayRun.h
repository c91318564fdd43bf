#pragma once

#include <QString>

#include "battle/BattleState.h"
#include "battle/BoutRecord.h"
#include "game/GameState.h"
#include "game/Random.h"

namespace mofurin {

// A replay being watched. The bout plays on the game's own records, loaded
// with the recorded opening; what they held before is kept here and put
// back at the end, so watching changes nothing of the player's game.
struct ReplayRun {
  BoutRecord record;
  GameState savedGame;
  BattleState savedBattle;
  Random savedRandom;
  QString returnTo;  // the screen shown again afterwards; empty: the program ends
  int speed = 1;     // 1, 2 or 4
  bool finishing = false;
};

}  // namespace mofurin
