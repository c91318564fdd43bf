#pragma once

namespace mofurin {

struct GameState;
class Random;

// The dummy's strength as the hub offers it: option index 0, 1 or 2.
enum class DummyStrength { Hard = 0, Normal = 1, Easy = 2 };

// The opponent text of a slot before the line-up fills it.
inline constexpr char16_t kEmptyOpponentSlot[] = u"--- ***NO DATA***";

// Builds the next tournament opponent from the opponent level: twelve
// body-part values, eight distinct techniques and the roster character
// (the final opponent when the lead is 39).
void buildTournamentOpponent(GameState& game, Random& random);

// Builds the training dummy from the fighter, scaled by the strength, and
// sets the tournament's opponent level aside for the bout.
void buildTrainingDummy(GameState& game, DummyStrength strength);

// Whether training (and the recovery shop) are closed: the last stretch of
// a tournament still running.
bool closingStretch(const GameState& game);

}  // namespace mofurin
