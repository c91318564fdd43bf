#pragma once

#include <QString>
#include <optional>

#include "game/GameState.h"
#include "persist/SequentialFile.h"

namespace mofurin {

class GameContext;
class Random;

inline const QString kSaveFilter = QStringLiteral("datﾌｧｲﾙ|*.dat");
inline const QString kLoadFilter = QStringLiteral("datﾌｧｲﾙ |*.dat");

// The saved part of the game, every number scaled by key (5..17), or
// nothing when a scaled value or the checksum would not fit 32 bits.
std::optional<SequentialWriter> saveFileContents(const GameState& game, int key);

enum class SaveResult { Saved, Cancelled, Failed };
enum class LoadResult { Loaded, NotRead, Ended };

// Asks for a file and writes the game into it. The old file is replaced
// only by a complete new one.
SaveResult Save(GameContext& ctx);

// Asks for a file and reads the game from it. A file that cannot be read to
// the end changes nothing and says so; a file that fails the integrity test
// ends the program after its message.
LoadResult Load(GameContext& ctx);

// The parsed contents of a save file, before they touch the game.
struct SavedGame {
  GameState values;  // only the saved fields are meaningful
  int key = 0;
  qint64 storedChecksum = 0;
  bool notWhole = false;

  bool passesIntegrityTest() const;
  void applyTo(GameState& game) const;
};

// Reads a save file's text: nothing when it ends early, holds a text where
// a number belongs, or has a key of 0.
std::optional<SavedGame> parseSaveFile(const QString& text);

}  // namespace mofurin
