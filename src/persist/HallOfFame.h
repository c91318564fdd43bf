#pragma once

#include <QString>

namespace mofurin {

struct GameState;

inline const QString kHallOfFameFile = QStringLiteral("kiro.txt");

// Fills GameState::hallOfFame from the file: name fields of entries 1..20,
// then their character fields, then their rank fields. A missing, short or
// broken file is not reported: the cells read so far keep their new texts
// and every other cell keeps what it held.
void LoadHallOfFame(GameState& game, const QString& path);

// Writes all 60 fields, one quoted field a line. False when it failed.
bool SaveHallOfFame(const GameState& game, const QString& path);

// True when entry 1 holds a name: a run has been recorded.
bool hallOfFameHasEntry(const GameState& game);

}  // namespace mofurin
