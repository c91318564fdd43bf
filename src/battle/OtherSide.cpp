#include "battle/OtherSide.h"

#include "battle/BattleEngine.h"

namespace mofurin {

void ComputerSide::open(BattleEngine& engine) { engine.HYOU(); }
void ComputerSide::choose(BattleEngine& engine) { engine.TEKI(); }
void ComputerSide::strike(BattleEngine& engine) { engine.strike(); }
void ComputerSide::hearChoice(BattleEngine& engine) { engine.resume(); }

void AnotherPlayer::choose(BattleEngine& engine) { engine.waitForOpponentsChoice(); }
void AnotherPlayer::strike(BattleEngine& engine) { engine.waitForOtherSide(); }
void AnotherPlayer::hearChoice(BattleEngine& engine) { engine.waitForOtherSide(); }
void AnotherPlayer::hearStrike(BattleEngine& engine) { engine.waitForOtherSide(); }
void AnotherPlayer::playerStrikeEnds(BattleEngine& engine) { engine.WP(); }

}  // namespace mofurin
